#pragma once
#include <array>
#include <cmath>
#include <initializer_list>
#include <istream>
#include <ostream>

#include "xml/from_string.h"

namespace nmrc {

// N doubles: positions, velocities, means. A fresh vector is all zeros.
template <int N>
class Vector {
    static_assert(N > 0, "Vector needs at least one element");

public:
    Vector() { v_.fill(0.0); }
    // Fewer values than N leave the rest zero; more are a programming error.
    Vector(std::initializer_list<double> values) {
        v_.fill(0.0);
        int k = 0;
        for (double x : values) {
            if (k < N) v_[k] = x;
            ++k;
        }
    }
    static Vector constant(double value) {
        Vector r;
        r.v_.fill(value);
        return r;
    }

    static constexpr int size() { return N; }
    double& operator[](int k) { return v_[k]; }
    double operator[](int k) const { return v_[k]; }
    double& operator()(int k) { return v_[k]; }
    double operator()(int k) const { return v_[k]; }
    double* data() { return v_.data(); }
    const double* data() const { return v_.data(); }
    double* begin() { return v_.data(); }
    double* end() { return v_.data() + N; }
    const double* begin() const { return v_.data(); }
    const double* end() const { return v_.data() + N; }

    // The M elements starting at offset (positions or velocities of a
    // kinematic state vector).
    template <int M>
    Vector<M> segment(int offset) const {
        Vector<M> r;
        for (int k = 0; k < M; ++k) r[k] = v_[offset + k];
        return r;
    }
    template <int M>
    void set_segment(int offset, const Vector<M>& part) {
        for (int k = 0; k < M; ++k) v_[offset + k] = part[k];
    }

    Vector& operator+=(const Vector& o) {
        for (int k = 0; k < N; ++k) v_[k] += o.v_[k];
        return *this;
    }
    Vector& operator-=(const Vector& o) {
        for (int k = 0; k < N; ++k) v_[k] -= o.v_[k];
        return *this;
    }
    Vector& operator*=(double s) {
        for (double& x : v_) x *= s;
        return *this;
    }
    Vector& operator/=(double s) {
        for (double& x : v_) x /= s;
        return *this;
    }

    friend Vector operator+(Vector a, const Vector& b) { return a += b; }
    friend Vector operator-(Vector a, const Vector& b) { return a -= b; }
    friend Vector operator-(Vector a) { return a *= -1.0; }
    friend Vector operator*(Vector a, double s) { return a *= s; }
    friend Vector operator*(double s, Vector a) { return a *= s; }
    friend Vector operator/(Vector a, double s) { return a /= s; }
    friend bool operator==(const Vector& a, const Vector& b) { return a.v_ == b.v_; }
    friend bool operator!=(const Vector& a, const Vector& b) { return a.v_ != b.v_; }

private:
    std::array<double, N> v_;
};

// a·b
template <int N>
double dot(const Vector<N>& a, const Vector<N>& b) {
    double s = 0.0;
    for (int k = 0; k < N; ++k) s += a[k] * b[k];
    return s;
}

// |a| = sqrt(a·a)
template <int N>
double norm(const Vector<N>& a) {
    return std::sqrt(dot(a, a));
}

// XML text form: the N elements separated by single spaces, in the stream's
// own number format.
template <int N>
std::ostream& operator<<(std::ostream& out, const Vector<N>& v) {
    for (int k = 0; k < N; ++k) {
        if (k > 0) out << ' ';
        out << v[k];
    }
    return out;
}

// Reads N numbers (inf and nan included); text after the last is left
// unread. A missing or malformed number sets failbit.
template <int N>
std::istream& operator>>(std::istream& in, Vector<N>& v) {
    Vector<N> r;
    for (int k = 0; k < N; ++k) {
        if (!xml::read_real(in, r[k])) return in;
    }
    v = r;
    return in;
}

}  // namespace nmrc
