#pragma once
#include "model/states/position_velocity_estimate_state.h"
#include "model/states/time_state.h"
#include "numerics/normal.h"
#include "tracker/filter.h"

namespace ostrel {

// A motion model for PositionVelocityEstimateState<N> (state vector: the N
// positions, then the N velocities). `update` carries the track's estimate to
// the time of the contact's TimeState and puts the prediction in its place.
// The three prediction operations are also used directly by other filters.
template <int N>
class PositionVelocityPredictor : public Filter {
public:
    using Estimate = state::PositionVelocityEstimateState<N>;
    using EstimatePtr = util::CountedPtr<const Estimate>;

    void update(const state::CompositeState& contact, TrackState& track) const override {
        const double time = contact.get<state::TimeState>().time;
        track.states.insert(predicted_estimate(track.states.get<Estimate>(), time));
    }
    bool reads_contact_time_only() const override { return true; }

    // The positions of `mean` after dt.
    virtual nmrc::Vector<N> predicted_position(const nmrc::Vector<2 * N>& mean, double dt) const = 0;
    // The covariance after dt.
    virtual nmrc::SymmetricMatrix<2 * N> predicted_covariance(
        const nmrc::SymmetricMatrix<2 * N>& covariance, double dt) const = 0;
    // The estimate carried to `time`; fails when `time` is earlier than the
    // estimate's (see prediction_interval).
    virtual EstimatePtr predicted_estimate(const Estimate& estimate, double time) const = 0;
};

}  // namespace ostrel
