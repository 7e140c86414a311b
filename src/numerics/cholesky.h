#pragma once
#include <array>
#include <cmath>

#include "numerics/matrix.h"
#include "numerics/symmetric_matrix.h"
#include "numerics/vector.h"
#include "util/exception.h"

namespace nmrc {

// The lower-triangular factor L of a symmetric positive-definite A
// (L L^T = A), packed by rows: L(i, j), j <= i, at j + i(i+1)/2. Every Kalman
// update, Mahalanobis distance and correlated noise draw rests on it.
template <int N>
class CholeskyDecomposition {
public:
    // Row by row: L(i, j) = (A(i, j) - sum_{k<j} L(i, k) L(j, k)) / L(j, j),
    // then d = A(i, i) - sum_{k<i} L(i, k)^2 and L(i, i) = sqrt(d). A pivot
    // d <= 0 (zero included, so semi-definite matrices are rejected; NaN too)
    // means A is not positive definite.
    explicit CholeskyDecomposition(const SymmetricMatrix<N>& a) {
        for (int i = 0; i < N; ++i) {
            for (int j = 0; j < i; ++j) {
                double s = a(i, j);
                for (int k = 0; k < j; ++k) s -= at(i, k) * at(j, k);
                at(i, j) = s / at(j, j);
            }
            double d = a(i, i);
            for (int k = 0; k < i; ++k) d -= at(i, k) * at(i, k);
            if (!(d > 0.0))
                throw util::Exception(
                    "Attempt to factor non-positive definite matrix in CholeskyDecomposition.");
            at(i, i) = std::sqrt(d);
        }
    }

    // L(i, j); zero above the diagonal.
    double lower(int i, int j) const { return j <= i ? l_[index(i, j)] : 0.0; }
    Matrix<N, N> lower_matrix() const {
        Matrix<N, N> m;
        for (int i = 0; i < N; ++i)
            for (int j = 0; j <= i; ++j) m(i, j) = lower(i, j);
        return m;
    }

    // y = L^{-1} b by forward substitution.
    Vector<N> forward_substitute(const Vector<N>& b) const {
        Vector<N> y;
        for (int i = 0; i < N; ++i) {
            double s = b[i];
            for (int k = 0; k < i; ++k) s -= lower(i, k) * y[k];
            y[i] = s / lower(i, i);
        }
        return y;
    }
    // x = L^{-T} y by back substitution.
    Vector<N> back_substitute(const Vector<N>& y) const {
        Vector<N> x;
        for (int i = N - 1; i >= 0; --i) {
            double s = y[i];
            for (int k = i + 1; k < N; ++k) s -= lower(k, i) * x[k];
            x[i] = s / lower(i, i);
        }
        return x;
    }
    // x = A^{-1} b = L^{-T} L^{-1} b
    Vector<N> solve(const Vector<N>& b) const { return back_substitute(forward_substitute(b)); }
    // X = A^{-1} B, column by column (gains: K^T = S^{-1} H P).
    template <int C>
    Matrix<N, C> solve(const Matrix<N, C>& b) const {
        Matrix<N, C> x;
        for (int j = 0; j < C; ++j) {
            const Vector<N> col = solve(b.col(j));
            for (int i = 0; i < N; ++i) x(i, j) = col[i];
        }
        return x;
    }
    // A^{-1}; columns of the identity solved, lower triangle kept.
    SymmetricMatrix<N> inverse() const {
        SymmetricMatrix<N> r;
        for (int j = 0; j < N; ++j) {
            Vector<N> e;
            e[j] = 1.0;
            const Vector<N> col = solve(e);
            for (int i = j; i < N; ++i) r(i, j) = col[i];
        }
        return r;
    }
    // v^T A^{-1} v = |L^{-1} v|^2 (the squared Mahalanobis distance).
    double mahalanobis(const Vector<N>& v) const {
        const Vector<N> y = forward_substitute(v);
        return dot(y, y);
    }
    // sum_i ln L(i, i) = ln det(A) / 2
    double sum_log_diagonal() const {
        double s = 0.0;
        for (int i = 0; i < N; ++i) s += std::log(lower(i, i));
        return s;
    }
    // ln det(A) = 2 sum_i ln L(i, i)
    double log_determinant() const { return 2.0 * sum_log_diagonal(); }
    // L z: turns independent standard normal deviates z into a draw with
    // covariance A.
    Vector<N> lower_times(const Vector<N>& z) const {
        Vector<N> r;
        for (int i = 0; i < N; ++i) {
            double s = 0.0;
            for (int k = 0; k <= i; ++k) s += lower(i, k) * z[k];
            r[i] = s;
        }
        return r;
    }

private:
    static constexpr int index(int i, int j) { return j + i * (i + 1) / 2; }
    double& at(int i, int j) { return l_[index(i, j)]; }
    double at(int i, int j) const { return l_[index(i, j)]; }

    std::array<double, N * (N + 1) / 2> l_{};
};

}  // namespace nmrc
