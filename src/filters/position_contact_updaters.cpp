#include "filters/position_contact_updaters.h"

#include "filters/filter_schema.h"
#include "filters/position_gate_bound.h"
#include "filters/position_innovation.h"
#include "model/states/position_estimate_state.h"
#include "model/states/position_velocity_estimate_state.h"

namespace ostrel {

namespace {
// The state dimension of a track estimate of dimension N.
template <class Estimate>
struct StateSize;
template <int N>
struct StateSize<state::PositionEstimateState<N>> {
    static constexpr int value = N;
};
template <int N>
struct StateSize<state::PositionVelocityEstimateState<N>> {
    static constexpr int value = 2 * N;
};
}  // namespace

template <class TrackEstimate, int N>
const config::Schema<typename PositionContactUpdaterAndGater<TrackEstimate, N>::Parameters>&
PositionContactUpdaterAndGater<TrackEstimate, N>::schema() {
    const std::string track = StateSize<TrackEstimate>::value == N ? "position" : "position_velocity";
    static const auto schema =
        config::Schema<Parameters>("position_" + track + "_" + std::to_string(N) + "d_contact_updater_and_gater",
                                   "updates the track's estimate with the contact's position (Kalman)")
            .product(&Parameters::filter, "filter", filter_form(), "the filter run after an accepted update",
                     &make_filter_in)
            .required(&Parameters::gate, "gate", "the squared Mahalanobis distance at which a contact is rejected",
                      infinity(), threshold());
    return schema;
}

template <class TrackEstimate, int N>
void PositionContactUpdaterAndGater<TrackEstimate, N>::update(const state::CompositeState& contact,
                                                              TrackState& track) const {
    constexpr int M = StateSize<TrackEstimate>::value;
    const auto& z = contact.get<state::PositionEstimateState<N>>();
    const auto& x = track.states.get<TrackEstimate>();
    const PositionInnovation<N, M> innovation(x.estimate, z.estimate);
    if (innovation.score().mahalanobis_squared >= gate_) {
        track.gates = false;
    } else {
        track.log_likelihood += innovation.score().log_density;
        track.states.insert(std::make_shared<const TrackEstimate>(innovation.posterior(), z.time));
    }
    if (track.gates) inner_->update(contact, track);
}

template <class TrackEstimate, int N>
bool PositionContactUpdaterAndGater<TrackEstimate, N>::gate_point(
    const state::CompositeState& contact, GatePoint& point) const {
    const auto z = contact.get_ptr<state::PositionEstimateState<N>>();
    return z && position_gate_point<N>(z->estimate, point);
}

// The gate is decided before the inner filter runs, and a closed gate skips
// it: outside the box the pass sets gates false and does nothing more.
template <class TrackEstimate, int N>
bool PositionContactUpdaterAndGater<TrackEstimate, N>::gate_box(const TrackState& track,
                                                                const GateAxes& variance_bound,
                                                                GateBox& box) const {
    constexpr int M = StateSize<TrackEstimate>::value;
    const auto x = track.states.get_ptr<TrackEstimate>();
    return x && position_gate_box<N, M>(x->estimate, gate_, variance_bound, box);
}

// d^2 = nu^T S^-1 nu, as `update` computes it.
template <class TrackEstimate, int N>
double PositionContactUpdaterAndGater<TrackEstimate, N>::gate_distance(
    const state::CompositeState& contact, const TrackState& track) const {
    constexpr int M = StateSize<TrackEstimate>::value;
    const auto& z = contact.get<state::PositionEstimateState<N>>();
    const auto& x = track.states.get<TrackEstimate>();
    return PositionInnovation<N, M>::mahalanobis_squared(x.estimate, z.estimate);
}

template <class TrackEstimate, int N>
void PositionContactUpdaterAndGater<TrackEstimate, N>::gate_distances(
    const std::vector<const state::CompositeState*>& contacts, const TrackState& track,
    std::vector<double>& distances) const {
    constexpr int M = StateSize<TrackEstimate>::value;
    const auto& x = track.states.get<TrackEstimate>();
    distances.clear();
    for (const state::CompositeState* contact : contacts)
        distances.push_back(PositionInnovation<N, M>::mahalanobis_squared(
            x.estimate, contact->get<state::PositionEstimateState<N>>().estimate));
}

template <int N>
const config::Schema<typename PositionVelocityPositionVelocityContactUpdater<N>::Parameters>&
PositionVelocityPositionVelocityContactUpdater<N>::schema() {
    static const auto schema =
        config::Schema<Parameters>("position_velocity_position_velocity_" + std::to_string(N) + "d_contact_updater",
                                   "updates the track's estimate with the contact's position and velocity")
            .required(&Parameters::gate, "gate", "the squared Mahalanobis distance at which a contact is rejected",
                      infinity(), threshold());
    return schema;
}

template <int N>
void PositionVelocityPositionVelocityContactUpdater<N>::update(const state::CompositeState& contact,
                                                               TrackState& track) const {
    using Estimate = state::PositionVelocityEstimateState<N>;
    const auto& z = contact.get<Estimate>();
    const auto& x = track.states.get<Estimate>();
    // H = I: nu = z - x, S = P + R
    const PositionInnovation<2 * N, 2 * N> innovation(x.estimate, z.estimate);
    if (innovation.score().mahalanobis_squared >= gate_) {
        track.gates = false;
        return;
    }
    track.log_likelihood += innovation.score().log_density;
    track.states.insert(std::make_shared<const Estimate>(innovation.posterior(), z.time));
}

template class PositionContactUpdaterAndGater<state::PositionVelocityEstimateState<2>, 2>;
template class PositionContactUpdaterAndGater<state::PositionVelocityEstimateState<3>, 3>;
template class PositionContactUpdaterAndGater<state::PositionEstimateState<2>, 2>;
template class PositionContactUpdaterAndGater<state::PositionEstimateState<3>, 3>;
template class PositionVelocityPositionVelocityContactUpdater<3>;

}  // namespace ostrel
