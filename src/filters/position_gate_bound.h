#pragma once
#include <cmath>

#include "numerics/normal.h"
#include "tracker/position_gate.h"

namespace ostrel {

// True when every entry is finite and the Cholesky pivots are all positive:
// the test CholeskyDecomposition applies, without throwing.
template <int N>
bool finite_positive_definite(const nmrc::SymmetricMatrix<N>& a) {
    double l[N][N] = {};
    for (int i = 0; i < N; ++i) {
        for (int j = 0; j <= i; ++j)
            if (!std::isfinite(a(i, j))) return false;
        for (int j = 0; j < i; ++j) {
            double s = a(i, j);
            for (int k = 0; k < j; ++k) s -= l[i][k] * l[j][k];
            l[i][j] = s / l[j][j];
        }
        double d = a(i, i);
        for (int k = 0; k < i; ++k) d -= l[i][k] * l[i][k];
        if (!(d > 0.0)) return false;
        l[i][i] = std::sqrt(d);
    }
    return true;
}

// The point of a contact's N-dimensional position estimate; false when it
// is not finite or its covariance is not positive definite.
template <int N>
bool position_gate_point(const nmrc::Normal<N>& z, GatePoint& point) {
    if (!finite_positive_definite(z.covariance)) return false;
    for (int i = 0; i < N; ++i) {
        if (!std::isfinite(z.mean[i])) return false;
        point.position[i] = z.mean[i];
        point.variance[i] = z.covariance(i, i);
    }
    return true;
}

// The box around the predicted position H x outside which
// d^2 = nu^T S^-1 nu >= gate for every contact whose variances are at most
// `variance_bound`: on the gate ellipse |nu_i| <= sqrt(gate S_ii), and
// S_ii = P_ii + R_ii <= P_ii + bound_i. The box is widened by a relative
// 1e-6 so that rounding in the filter's own arithmetic can never admit a
// contact that lies outside it. False when the estimate is not finite, its
// position block not positive definite, or the gate not a finite number
// >= 0 (an infinite gate admits everything).
template <int N, int M>
bool position_gate_box(const nmrc::Normal<M>& estimate, double gate, const GateAxes& variance_bound,
                       GateBox& box) {
    if (!(gate >= 0.0) || !std::isfinite(gate)) return false;
    nmrc::SymmetricMatrix<N> position_block;
    for (int i = 0; i < N; ++i)
        for (int j = 0; j <= i; ++j) position_block(i, j) = estimate.covariance(i, j);
    if (!finite_positive_definite(position_block)) return false;
    for (int i = 0; i < N; ++i) {
        const double centre = estimate.mean[i];
        const double half_width = std::sqrt(gate * (position_block(i, i) + variance_bound[i]));
        const double margin = 1e-6 * (half_width + std::fabs(centre)) + 1e-9;
        if (!std::isfinite(centre) || !std::isfinite(half_width)) return false;
        box.low[i] = centre - half_width - margin;
        box.high[i] = centre + half_width + margin;
    }
    return true;
}

}  // namespace ostrel
