#pragma once
#include <cmath>

#include "numerics/cholesky.h"
#include "numerics/symmetric_matrix.h"
#include "numerics/vector.h"

namespace nmrc {

// c(n) = -(n/2) ln(2 pi), the normalising constant of an n-dimensional
// Gaussian log-density.
inline double log_normalizer(int n) {
    return -0.5 * n * std::log(2.0 * 3.14159265358979323846);
}

// c(N), computed once per dimension and kept.
template <int N>
double log_normalizer() {
    static const double c = log_normalizer(N);
    return c;
}

// What an updater needs from an innovation: the squared Mahalanobis distance
// (for gating) and the log-density (for scoring).
struct GaussianScore {
    double mahalanobis_squared;
    double log_density;
};

// With S = L L^T: y = L^{-1} nu, d^2 = y^T y,
// ln p = c(N) - d^2 / 2 - sum_i ln L(i, i).
template <int N>
GaussianScore gaussian_score(const Vector<N>& innovation, const CholeskyDecomposition<N>& factor) {
    const double d2 = factor.mahalanobis(innovation);
    return {d2, log_normalizer<N>() - 0.5 * d2 - factor.sum_log_diagonal()};
}

// As above, factoring S first; fails with the Cholesky message when S is not
// positive definite.
template <int N>
GaussianScore gaussian_score(const Vector<N>& innovation, const SymmetricMatrix<N>& covariance) {
    return gaussian_score(innovation, CholeskyDecomposition<N>(covariance));
}

template <int N>
double gaussian_log_density(const Vector<N>& innovation, const SymmetricMatrix<N>& covariance) {
    return gaussian_score(innovation, covariance).log_density;
}

}  // namespace nmrc
