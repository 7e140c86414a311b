#pragma once
#include "config/schema.h"
#include "model/contacts/range_theta_phi_estimate_state.h"
#include "model/contacts/theta_phi_estimate_state.h"
#include "model/states/gaussian_feature_state.h"
#include "model/states/position_estimate_state.h"
#include "model/states/position_state.h"
#include "model/states/position_velocity_estimate_state.h"
#include "model/states/position_velocity_state.h"
#include "numerics/matrix.h"
#include "numerics/symmetric_matrix.h"
#include "numerics/vector.h"
#include "xml/querier.h"

namespace pltr {

// An accessor names the state a plotter creator reads (Source), the size of
// the point it draws (dimension), and how the point and, where there is
// one, the covariance are taken from the state.

// The M x M block of a symmetric matrix starting at (offset, offset).
template <int M, int N>
nmrc::SymmetricMatrix<M> diagonal_block(const nmrc::SymmetricMatrix<N>& p, int offset) {
    nmrc::SymmetricMatrix<M> r;
    for (int i = 0; i < M; ++i)
        for (int j = 0; j <= i; ++j) r(i, j) = p(offset + i, offset + j);
    return r;
}

// Copy accessors: no configuration.
struct CopyAccessor {
    struct Parameters {};
    static const config::Schema<Parameters>& schema();

    CopyAccessor() = default;
    explicit CopyAccessor(const Parameters&) {}
};

template <int N>
struct PositionAccessor : CopyAccessor {
    using CopyAccessor::CopyAccessor;
    using Source = state::PositionState<N>;
    static constexpr int dimension = N;
    nmrc::Vector<N> point(const Source& s) const { return s.position; }
};

template <int N>
struct PositionEstimateAccessor : CopyAccessor {
    using CopyAccessor::CopyAccessor;
    using Source = state::PositionEstimateState<N>;
    static constexpr int dimension = N;
    nmrc::Vector<N> point(const Source& s) const { return s.estimate.mean; }
    nmrc::SymmetricMatrix<N> covariance(const Source& s) const { return s.estimate.covariance; }
};

template <int N>
struct PositionVelocityPositionAccessor : CopyAccessor {
    using CopyAccessor::CopyAccessor;
    using Source = state::PositionVelocityState<N>;
    static constexpr int dimension = N;
    nmrc::Vector<N> point(const Source& s) const { return s.position; }
};

template <int N>
struct PositionVelocityVelocityAccessor : CopyAccessor {
    using CopyAccessor::CopyAccessor;
    using Source = state::PositionVelocityState<N>;
    static constexpr int dimension = N;
    nmrc::Vector<N> point(const Source& s) const { return s.velocity; }
};

// Position components come first in the estimate, then velocities.
template <int N>
struct PositionVelocityEstimatePositionAccessor : CopyAccessor {
    using CopyAccessor::CopyAccessor;
    using Source = state::PositionVelocityEstimateState<N>;
    static constexpr int dimension = N;
    nmrc::Vector<N> point(const Source& s) const { return s.position(); }
    nmrc::SymmetricMatrix<N> covariance(const Source& s) const {
        return diagonal_block<N>(s.estimate.covariance, 0);
    }
};

template <int N>
struct PositionVelocityEstimateVelocityAccessor : CopyAccessor {
    using CopyAccessor::CopyAccessor;
    using Source = state::PositionVelocityEstimateState<N>;
    static constexpr int dimension = N;
    nmrc::Vector<N> point(const Source& s) const { return s.velocity(); }
    nmrc::SymmetricMatrix<N> covariance(const Source& s) const {
        return diagonal_block<N>(s.estimate.covariance, N);
    }
};

// The features are independent: the covariance is diag(sigma_i^2).
template <int N>
struct GaussianFeatureAccessor : CopyAccessor {
    using CopyAccessor::CopyAccessor;
    using Source = state::GaussianFeatureState<N>;
    static constexpr int dimension = N;
    nmrc::Vector<N> point(const Source& s) const { return s.mean; }
    nmrc::SymmetricMatrix<N> covariance(const Source& s) const {
        nmrc::SymmetricMatrix<N> r;
        for (int i = 0; i < N; ++i) r(i, i) = s.sigma[i] * s.sigma[i];
        return r;
    }
};

// Projecting accessors: a 3-D vector p and covariance C are drawn in the
// plane spanned by "x_axis" and "y_axis" (3 numbers each): with A the 2 x 3
// matrix of those rows, the point is A p and the covariance A C A^T.
class Projection {
public:
    struct Parameters {
        nmrc::Vector<3> x_axis{1, 0, 0};
        nmrc::Vector<3> y_axis{0, 1, 0};
    };
    static const config::Schema<Parameters>& schema();

    explicit Projection(const Parameters& parameters);
    Projection(const nmrc::Vector<3>& x_axis, const nmrc::Vector<3>& y_axis)
        : Projection(Parameters{x_axis, y_axis}) {}

    static constexpr int dimension = 2;
    // A p
    nmrc::Vector<2> project(const nmrc::Vector<3>& p) const { return axes_ * p; }
    // A C A^T
    nmrc::SymmetricMatrix<2> project(const nmrc::SymmetricMatrix<3>& c) const {
        return nmrc::transform(axes_, c);
    }

private:
    nmrc::Matrix<2, 3> axes_;
};

struct PositionVelocity3dPosition2dAccessor : Projection {
    using Projection::Projection;
    using Source = state::PositionVelocityState<3>;
    nmrc::Vector<2> point(const Source& s) const { return project(s.position); }
};

struct PositionVelocity3dVelocity2dAccessor : Projection {
    using Projection::Projection;
    using Source = state::PositionVelocityState<3>;
    nmrc::Vector<2> point(const Source& s) const { return project(s.velocity); }
};

struct PositionEstimate3dPosition2dAccessor : Projection {
    using Projection::Projection;
    using Source = state::PositionEstimateState<3>;
    nmrc::Vector<2> point(const Source& s) const { return project(s.estimate.mean); }
    nmrc::SymmetricMatrix<2> covariance(const Source& s) const {
        return project(s.estimate.covariance);
    }
};

struct PositionVelocityEstimate3dPosition2dAccessor : Projection {
    using Projection::Projection;
    using Source = state::PositionVelocityEstimateState<3>;
    nmrc::Vector<2> point(const Source& s) const { return project(s.position()); }
    nmrc::SymmetricMatrix<2> covariance(const Source& s) const {
        return project(diagonal_block<3>(s.estimate.covariance, 0));
    }
};

// A spherical estimate converted to Cartesian position, as the passive-sensor
// filters convert it: p = s + r (sin t cos f, cos t cos f, sin f) and
// C = J S J^T with J = dp/d(r, t, f) and S the covariance over (r, t, f).
struct CartesianEstimate {
    nmrc::Vector<3> position;
    nmrc::SymmetricMatrix<3> covariance;
};
CartesianEstimate to_cartesian(const nmrc::Vector<3>& sensor_position,
                               const nmrc::Vector<3>& range_theta_phi,
                               const nmrc::SymmetricMatrix<3>& covariance);

struct RangeThetaPhiEstimatePosition2dAccessor : Projection {
    using Projection::Projection;
    using Source = state::RangeThetaPhiEstimateState;
    nmrc::Vector<2> point(const Source& s) const;
    nmrc::SymmetricMatrix<2> covariance(const Source& s) const;
};

// An angle-only estimate is placed at the midpoint r of its range interval,
// with the range spread of a uniform law over it, sigma_r = width / sqrt(12),
// so its point and covariance are those of the spherical estimate
// (r, theta, phi) with S = diag(sigma_r^2, sigma_theta^2, sigma_phi^2). An
// unbounded interval has no midpoint and fails, naming the bounds.
struct ThetaPhiEstimatePosition2dAccessor : Projection {
    using Projection::Projection;
    using Source = state::ThetaPhiEstimateState;
    nmrc::Vector<2> point(const Source& s) const;
    nmrc::SymmetricMatrix<2> covariance(const Source& s) const;
};

}  // namespace pltr
