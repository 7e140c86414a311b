#pragma once
#include "config/schema.h"
#include "tracker/filter.h"
#include "tracker/position_gate.h"

namespace state {
template <int N>
class PositionEstimateState;
template <int N>
class PositionVelocityEstimateState;
}  // namespace state

namespace ostrel {

// Kalman update of the track's estimate (TrackEstimate: a position or a
// position-velocity estimate of dimension N) by the contact's
// PositionEstimateState<N>, gated on the squared Mahalanobis distance:
// d^2 >= "gate" rejects the hypothesis ("gate" may be "infinity"); otherwise
// ln p is scored and the updated estimate, at the contact's time, replaces
// the old one. While the hypothesis is admissible the inner filter ("filter",
// an element holding one filter element) then runs on the same arguments.
// The estimate must already hold at the contact's time: a predictor runs
// before the updater in the filter definition.
//
// As a PositionGate: a contact can pass only where |nu_i| < sqrt(gate S_ii)
// on every axis (the extent of the gate ellipse), and S_ii = P_ii + R_ii.
template <class TrackEstimate, int N>
class PositionContactUpdaterAndGater : public Filter, public PositionGate {
public:
    struct Parameters {
        FilterPtr filter;
        double gate = 0;
    };
    static const config::Schema<Parameters>& schema();

    explicit PositionContactUpdaterAndGater(const Parameters& parameters)
        : inner_(schema().validate(parameters).filter), gate_(parameters.gate) {}
    explicit PositionContactUpdaterAndGater(const xml::Querier& querier)
        : PositionContactUpdaterAndGater(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

    const PositionGate* position_gate() const override { return this; }
    int gate_axes() const override { return N; }
    bool gate_point(const state::CompositeState& contact, GatePoint& point) const override;
    bool gate_box(const TrackState& track, const GateAxes& variance_bound,
                  GateBox& box) const override;
    double gate_distance(const state::CompositeState& contact, const TrackState& track) const override;
    void gate_distances(const std::vector<const state::CompositeState*>& contacts, const TrackState& track,
                        std::vector<double>& distances) const override;
    double gate_threshold() const override { return gate_; }

private:
    const FilterPtr inner_;
    const double gate_;
};

// Keys "position_position_velocity_2d_contact_updater_and_gater", "..._3d_...".
template <int N>
class PositionPositionVelocityContactUpdaterAndGater
    : public PositionContactUpdaterAndGater<state::PositionVelocityEstimateState<N>, N> {
public:
    using PositionContactUpdaterAndGater<state::PositionVelocityEstimateState<N>,
                                         N>::PositionContactUpdaterAndGater;
};

// Keys "position_position_2d_contact_updater_and_gater", "..._3d_...".
template <int N>
class PositionPositionContactUpdaterAndGater
    : public PositionContactUpdaterAndGater<state::PositionEstimateState<N>, N> {
public:
    using PositionContactUpdaterAndGater<state::PositionEstimateState<N>,
                                         N>::PositionContactUpdaterAndGater;
};

// Key "position_velocity_position_velocity_3d_contact_updater": the contact
// carries a full PositionVelocityEstimateState<N> (H = I). Parameter "gate";
// no inner filter.
template <int N>
class PositionVelocityPositionVelocityContactUpdater : public Filter {
public:
    struct Parameters {
        double gate = 0;
    };
    static const config::Schema<Parameters>& schema();

    explicit PositionVelocityPositionVelocityContactUpdater(const Parameters& parameters)
        : gate_(schema().validate(parameters).gate) {}
    explicit PositionVelocityPositionVelocityContactUpdater(const xml::Querier& querier)
        : PositionVelocityPositionVelocityContactUpdater(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const double gate_;
};

extern template class PositionContactUpdaterAndGater<state::PositionVelocityEstimateState<2>, 2>;
extern template class PositionContactUpdaterAndGater<state::PositionVelocityEstimateState<3>, 3>;
extern template class PositionContactUpdaterAndGater<state::PositionEstimateState<2>, 2>;
extern template class PositionContactUpdaterAndGater<state::PositionEstimateState<3>, 3>;
extern template class PositionVelocityPositionVelocityContactUpdater<3>;

}  // namespace ostrel
