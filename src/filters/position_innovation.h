#pragma once
#include "numerics/cholesky.h"
#include "numerics/gaussian.h"
#include "numerics/normal.h"

namespace ostrel {

// The Kalman update of an M-dimensional Gaussian estimate by a measurement of
// its first N components (H = [I 0]; with N = M, H = I). The innovation and
// its score are computed first; the posterior only when it is asked for, as
// most candidate pairings are gated out.
template <int N, int M>
class PositionInnovation {
    static_assert(N <= M, "a measurement of more components than the state");

public:
    PositionInnovation(const nmrc::Normal<M>& prior, const nmrc::Normal<N>& measurement)
        : prior_(prior),
          innovation_(measurement.mean - prior.mean.template segment<N>(0)),  // nu = z - H x
          factor_(innovation_covariance(prior, measurement)),                // S = L L^T
          score_(nmrc::gaussian_score(innovation_, factor_)) {}

    // d^2 = nu^T S^{-1} nu; ln p = -(N/2) ln(2 pi) - d^2 / 2 - sum_i ln L(i, i)
    const nmrc::GaussianScore& score() const { return score_; }

    // d^2 alone, computed exactly as score() computes it, without copying
    // the prior or taking logarithms: for ranking contacts by distance.
    static double mahalanobis_squared(const nmrc::Normal<M>& prior, const nmrc::Normal<N>& measurement) {
        const nmrc::Vector<N> nu = measurement.mean - prior.mean.template segment<N>(0);
        return nmrc::CholeskyDecomposition<N>(innovation_covariance(prior, measurement)).mahalanobis(nu);
    }
    const nmrc::Vector<N>& innovation() const { return innovation_; }

    nmrc::Normal<M> posterior() const {
        // H P: the first N rows of P
        nmrc::Matrix<N, M> hp;
        for (int i = 0; i < N; ++i)
            for (int j = 0; j < M; ++j) hp(i, j) = prior_.covariance(i, j);
        // K^T = S^{-1} H P, that is K = P H^T S^{-1}
        const nmrc::Matrix<N, M> gain_t = factor_.solve(hp);
        const nmrc::Matrix<M, N> gain = gain_t.transpose();
        nmrc::Normal<M> post;
        // x' = x + K nu
        post.mean = prior_.mean + gain * innovation_;
        // P' = P - K H P, symmetrised against rounding
        post.covariance = nmrc::SymmetricMatrix<M>::symmetrize(prior_.covariance.full() - gain * hp);
        return post;
    }

private:
    // S = H P H^T + R
    static nmrc::SymmetricMatrix<N> innovation_covariance(const nmrc::Normal<M>& prior,
                                                          const nmrc::Normal<N>& measurement) {
        nmrc::SymmetricMatrix<N> s = measurement.covariance;
        for (int i = 0; i < N; ++i)
            for (int j = 0; j <= i; ++j) s(i, j) += prior.covariance(i, j);
        return s;
    }

    const nmrc::Normal<M> prior_;
    const nmrc::Vector<N> innovation_;
    const nmrc::CholeskyDecomposition<N> factor_;
    const nmrc::GaussianScore score_;
};

}  // namespace ostrel
