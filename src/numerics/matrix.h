#pragma once
#include <array>
#include <istream>
#include <ostream>

#include "numerics/vector.h"

namespace nmrc {

// R x C doubles, row-major: gains, Jacobians, transition matrices and the
// form in which a full matrix is read from XML. A fresh matrix is all zeros.
template <int R, int C>
class Matrix {
    static_assert(R > 0 && C > 0, "Matrix needs at least one element");

public:
    Matrix() { m_.fill(0.0); }
    // Values row by row; missing ones stay zero.
    Matrix(std::initializer_list<double> row_major) {
        m_.fill(0.0);
        int k = 0;
        for (double x : row_major) {
            if (k < R * C) m_[k] = x;
            ++k;
        }
    }
    static Matrix identity() {
        static_assert(R == C, "identity needs a square matrix");
        Matrix r;
        for (int i = 0; i < R; ++i) r(i, i) = 1.0;
        return r;
    }

    static constexpr int rows() { return R; }
    static constexpr int cols() { return C; }
    double& operator()(int i, int j) { return m_[i * C + j]; }
    double operator()(int i, int j) const { return m_[i * C + j]; }
    double* data() { return m_.data(); }
    const double* data() const { return m_.data(); }

    Vector<C> row(int i) const {
        Vector<C> r;
        for (int j = 0; j < C; ++j) r[j] = (*this)(i, j);
        return r;
    }
    Vector<R> col(int j) const {
        Vector<R> r;
        for (int i = 0; i < R; ++i) r[i] = (*this)(i, j);
        return r;
    }

    Matrix<C, R> transpose() const {
        Matrix<C, R> t;
        for (int i = 0; i < R; ++i)
            for (int j = 0; j < C; ++j) t(j, i) = (*this)(i, j);
        return t;
    }

    Matrix& operator+=(const Matrix& o) {
        for (int k = 0; k < R * C; ++k) m_[k] += o.m_[k];
        return *this;
    }
    Matrix& operator-=(const Matrix& o) {
        for (int k = 0; k < R * C; ++k) m_[k] -= o.m_[k];
        return *this;
    }
    Matrix& operator*=(double s) {
        for (double& x : m_) x *= s;
        return *this;
    }

    friend Matrix operator+(Matrix a, const Matrix& b) { return a += b; }
    friend Matrix operator-(Matrix a, const Matrix& b) { return a -= b; }
    friend Matrix operator-(Matrix a) { return a *= -1.0; }
    friend Matrix operator*(Matrix a, double s) { return a *= s; }
    friend Matrix operator*(double s, Matrix a) { return a *= s; }
    friend bool operator==(const Matrix& a, const Matrix& b) { return a.m_ == b.m_; }
    friend bool operator!=(const Matrix& a, const Matrix& b) { return a.m_ != b.m_; }

private:
    std::array<double, R * C> m_;
};

// (A B)(i, j) = sum_k A(i, k) B(k, j)
template <int R, int K, int C>
Matrix<R, C> operator*(const Matrix<R, K>& a, const Matrix<K, C>& b) {
    Matrix<R, C> r;
    for (int i = 0; i < R; ++i)
        for (int k = 0; k < K; ++k) {
            const double aik = a(i, k);
            for (int j = 0; j < C; ++j) r(i, j) += aik * b(k, j);
        }
    return r;
}

// (A x)(i) = sum_j A(i, j) x(j)
template <int R, int C>
Vector<R> operator*(const Matrix<R, C>& a, const Vector<C>& x) {
    Vector<R> r;
    for (int i = 0; i < R; ++i) {
        double s = 0.0;
        for (int j = 0; j < C; ++j) s += a(i, j) * x[j];
        r[i] = s;
    }
    return r;
}

// a b^T
template <int R, int C>
Matrix<R, C> outer(const Vector<R>& a, const Vector<C>& b) {
    Matrix<R, C> r;
    for (int i = 0; i < R; ++i)
        for (int j = 0; j < C; ++j) r(i, j) = a[i] * b[j];
    return r;
}

// XML text form: all R*C elements row by row, separated by single spaces.
template <int R, int C>
std::ostream& operator<<(std::ostream& out, const Matrix<R, C>& m) {
    for (int k = 0; k < R * C; ++k) {
        if (k > 0) out << ' ';
        out << m.data()[k];
    }
    return out;
}

// Reads R*C numbers row by row; a missing or malformed one sets failbit.
template <int R, int C>
std::istream& operator>>(std::istream& in, Matrix<R, C>& m) {
    Matrix<R, C> r;
    for (int k = 0; k < R * C; ++k) {
        if (!xml::read_real(in, r.data()[k])) return in;
    }
    m = r;
    return in;
}

}  // namespace nmrc
