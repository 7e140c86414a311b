#pragma once
#include "numerics/cholesky.h"
#include "numerics/gaussian.h"
#include "numerics/matrix.h"
#include "numerics/normal.h"

namespace ostrel {

// The Kalman update of an S-dimensional Gaussian estimate by an
// M-dimensional measurement linearised as z ~ H x with innovation nu and
// noise R (the caller forms nu, so an extended or iterated filter can use
// its own linearisation point and wrap angles first).
template <int M, int S>
class LinearizedUpdate {
public:
    LinearizedUpdate(const nmrc::Normal<S>& prior, const nmrc::Matrix<M, S>& h,
                     const nmrc::Vector<M>& innovation, const nmrc::SymmetricMatrix<M>& noise)
        : prior_(prior),
          h_p_(h * prior.covariance),                                    // H P
          innovation_(innovation),
          factor_(nmrc::transform(h, prior.covariance) + noise),         // S = H P H^T + R
          score_(nmrc::gaussian_score(innovation_, factor_)) {}

    // d^2 = nu^T S^{-1} nu; ln p = -(M/2) ln(2 pi) - d^2 / 2 - sum_i ln L(i, i)
    const nmrc::GaussianScore& score() const { return score_; }

    nmrc::Normal<S> posterior() const {
        // K^T = S^{-1} H P, that is K = P H^T S^{-1}
        const nmrc::Matrix<S, M> gain = factor_.solve(h_p_).transpose();
        nmrc::Normal<S> post;
        // x' = x + K nu
        post.mean = prior_.mean + gain * innovation_;
        // P' = P - K H P, symmetrised against rounding
        post.covariance = nmrc::SymmetricMatrix<S>::symmetrize(prior_.covariance.full() - gain * h_p_);
        return post;
    }

private:
    const nmrc::Normal<S> prior_;
    const nmrc::Matrix<M, S> h_p_;
    const nmrc::Vector<M> innovation_;
    const nmrc::CholeskyDecomposition<M> factor_;
    const nmrc::GaussianScore score_;
};

}  // namespace ostrel
