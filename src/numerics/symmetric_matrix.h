#pragma once
#include <array>
#include <istream>
#include <ostream>

#include "numerics/matrix.h"
#include "numerics/vector.h"

namespace nmrc {

// An N x N symmetric matrix (a covariance) stored as its upper triangle
// packed by columns: element (i, j), i <= j, lives at i + j(j+1)/2 and
// (j, i) is the same value. For N = 2 the order is (0,0), (0,1), (1,1).
template <int N>
class SymmetricMatrix {
    static_assert(N > 0, "SymmetricMatrix needs at least one row");

public:
    static constexpr int packed_size = N * (N + 1) / 2;

    SymmetricMatrix() { p_.fill(0.0); }
    static SymmetricMatrix identity() { return diagonal(Vector<N>::constant(1.0)); }
    static SymmetricMatrix diagonal(const Vector<N>& d) {
        SymmetricMatrix r;
        for (int i = 0; i < N; ++i) r(i, i) = d[i];
        return r;
    }
    // Takes the entries on and below the diagonal of m (that is how a
    // covariance is read from its full XML text).
    static SymmetricMatrix from_lower(const Matrix<N, N>& m) {
        SymmetricMatrix r;
        for (int i = 0; i < N; ++i)
            for (int j = 0; j <= i; ++j) r(i, j) = m(i, j);
        return r;
    }
    // (m + m^T) / 2: removes the rounding asymmetry of a product such as
    // P - K H P.
    static SymmetricMatrix symmetrize(const Matrix<N, N>& m) {
        SymmetricMatrix r;
        for (int i = 0; i < N; ++i)
            for (int j = 0; j <= i; ++j) r(i, j) = 0.5 * (m(i, j) + m(j, i));
        return r;
    }

    // Packed position of (i, j) in either order.
    static constexpr int index(int i, int j) {
        return i <= j ? i + j * (j + 1) / 2 : j + i * (i + 1) / 2;
    }
    static constexpr int size() { return N; }

    // Writing (i, j) also writes (j, i): they are one stored value.
    double& operator()(int i, int j) { return p_[index(i, j)]; }
    double operator()(int i, int j) const { return p_[index(i, j)]; }
    double* data() { return p_.data(); }
    const double* data() const { return p_.data(); }

    Matrix<N, N> full() const {
        Matrix<N, N> m;
        for (int i = 0; i < N; ++i)
            for (int j = 0; j < N; ++j) m(i, j) = (*this)(i, j);
        return m;
    }
    Vector<N> diagonal_values() const {
        Vector<N> d;
        for (int i = 0; i < N; ++i) d[i] = (*this)(i, i);
        return d;
    }

    SymmetricMatrix& operator+=(const SymmetricMatrix& o) {
        for (int k = 0; k < packed_size; ++k) p_[k] += o.p_[k];
        return *this;
    }
    SymmetricMatrix& operator-=(const SymmetricMatrix& o) {
        for (int k = 0; k < packed_size; ++k) p_[k] -= o.p_[k];
        return *this;
    }
    SymmetricMatrix& operator*=(double s) {
        for (double& x : p_) x *= s;
        return *this;
    }

    friend SymmetricMatrix operator+(SymmetricMatrix a, const SymmetricMatrix& b) { return a += b; }
    friend SymmetricMatrix operator-(SymmetricMatrix a, const SymmetricMatrix& b) { return a -= b; }
    friend SymmetricMatrix operator*(SymmetricMatrix a, double s) { return a *= s; }
    friend SymmetricMatrix operator*(double s, SymmetricMatrix a) { return a *= s; }
    friend bool operator==(const SymmetricMatrix& a, const SymmetricMatrix& b) { return a.p_ == b.p_; }
    friend bool operator!=(const SymmetricMatrix& a, const SymmetricMatrix& b) { return a.p_ != b.p_; }

private:
    std::array<double, packed_size> p_;
};

// (P x)(i) = sum_j P(i, j) x(j)
template <int N>
Vector<N> operator*(const SymmetricMatrix<N>& p, const Vector<N>& x) {
    Vector<N> r;
    for (int i = 0; i < N; ++i) {
        double s = 0.0;
        for (int j = 0; j < N; ++j) s += p(i, j) * x[j];
        r[i] = s;
    }
    return r;
}

// P B, for example P H^T.
template <int N, int C>
Matrix<N, C> operator*(const SymmetricMatrix<N>& p, const Matrix<N, C>& b) {
    return p.full() * b;
}

// B P, for example H P.
template <int R, int N>
Matrix<R, N> operator*(const Matrix<R, N>& b, const SymmetricMatrix<N>& p) {
    return b * p.full();
}

// F P F^T: the covariance of F x when x has covariance P (prediction,
// measurement projection). Only the lower triangle is computed, so the result
// is exactly symmetric.
template <int R, int N>
SymmetricMatrix<R> transform(const Matrix<R, N>& f, const SymmetricMatrix<N>& p) {
    const Matrix<R, N> fp = f * p.full();
    SymmetricMatrix<R> r;
    for (int i = 0; i < R; ++i)
        for (int j = 0; j <= i; ++j) {
            double s = 0.0;
            for (int k = 0; k < N; ++k) s += fp(i, k) * f(j, k);
            r(i, j) = s;
        }
    return r;
}

// x^T P x
template <int N>
double quadratic_form(const SymmetricMatrix<N>& p, const Vector<N>& x) {
    return dot(x, p * x);
}

// XML text form: the full N x N matrix row by row, separated by single spaces.
template <int N>
std::ostream& operator<<(std::ostream& out, const SymmetricMatrix<N>& p) {
    return out << p.full();
}

// Reads N*N numbers row by row and keeps the entries on and below the
// diagonal; the upper entries are read but not used.
template <int N>
std::istream& operator>>(std::istream& in, SymmetricMatrix<N>& p) {
    Matrix<N, N> m;
    if (in >> m) p = SymmetricMatrix<N>::from_lower(m);
    return in;
}

}  // namespace nmrc
