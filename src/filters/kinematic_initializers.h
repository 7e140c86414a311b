#pragma once
#include "config/schema.h"
#include "numerics/mou_process.h"
#include "numerics/normal.h"
#include "numerics/symmetric_matrix.h"
#include "tracker/filter.h"

namespace ostrel {

// Start a track's kinematic estimate from its first contact. The position
// initializers add -ln A, A the "nominal_surveillance_area" (the density of
// a clutter contact that a new track explains instead).

// Keys "position_position_velocity_2d_initializer", "..._3d_initializer":
// the contact's position estimate (z, R, t) becomes a position-velocity
// estimate with mean (z, 0), covariance [[R, 0], [0, prior]] at t, prior the
// "prior_velocity_covariance" (an N x N matrix).
template <int N>
class PositionPositionVelocityInitializer : public Filter {
public:
    struct Parameters {
        nmrc::SymmetricMatrix<N> prior_velocity_covariance;
        double nominal_surveillance_area = 1;
    };
    static const config::Schema<Parameters>& schema();

    explicit PositionPositionVelocityInitializer(const Parameters& parameters);
    explicit PositionPositionVelocityInitializer(const xml::Querier& querier)
        : PositionPositionVelocityInitializer(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const nmrc::SymmetricMatrix<N> prior_velocity_covariance_;
    const double area_score_;
};

// Keys "position_position_2d_initializer", "position_position_3d_initializer":
// the contact's position estimate becomes the track's.
template <int N>
class PositionPositionInitializer : public Filter {
public:
    struct Parameters {
        double nominal_surveillance_area = 1;
    };
    static const config::Schema<Parameters>& schema();

    explicit PositionPositionInitializer(const Parameters& parameters);
    explicit PositionPositionInitializer(const xml::Querier& querier)
        : PositionPositionInitializer(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const double area_score_;
};

// Keys "mou_steady_state_2d_initializer", "mou_steady_state_3d_initializer":
// starts every track at the stationary law of the configured mean-reverting
// process (child "mou_process_2d" / "mou_process_3d"): mean (centre, 0),
// diagonal covariance of the position and velocity sigmas squared, at the
// time of the contact's TimeState. The contact's position is not used.
template <int N>
class MouSteadyStateInitializer : public Filter {
public:
    struct Parameters {
        typename nmrc::MouProcess<N>::Parameters process;
    };
    static const config::Schema<Parameters>& schema();

    explicit MouSteadyStateInitializer(const Parameters& parameters);
    explicit MouSteadyStateInitializer(const xml::Querier& querier) : MouSteadyStateInitializer(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const nmrc::Normal<2 * N> steady_state_;
};

extern template class PositionPositionVelocityInitializer<2>;
extern template class PositionPositionVelocityInitializer<3>;
extern template class PositionPositionInitializer<2>;
extern template class PositionPositionInitializer<3>;
extern template class MouSteadyStateInitializer<2>;
extern template class MouSteadyStateInitializer<3>;

}  // namespace ostrel
