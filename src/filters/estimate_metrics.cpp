#include "filters/estimate_metrics.h"

#include "filters/filter_parameters.h"
#include "model/states/position_velocity_estimate_state.h"
#include "model/states/position_velocity_state.h"
#include "numerics/gaussian.h"

namespace ostrel {

template <int N>
PositionVelocityPositionVelocityEstimateDistanceMetric<N>::
    PositionVelocityPositionVelocityEstimateDistanceMetric(const xml::Querier& querier)
    : maximum_distance_(read_threshold(querier, "maximum_distance")) {}

template <int N>
void PositionVelocityPositionVelocityEstimateDistanceMetric<N>::update(
    const state::CompositeState& contact, TrackState& track) const {
    const auto& estimate = contact.get<state::PositionVelocityEstimateState<N>>();
    const auto& truth = track.states.get<state::PositionVelocityState<N>>();
    // distance = |p_truth - p_estimate|
    const double distance = nmrc::norm(truth.position - estimate.position());
    track.log_likelihood = distance;
    if (distance > maximum_distance_) track.gates = false;
}

template <int N>
PositionVelocityPositionVelocityEstimateMahalanobisMetric<N>::
    PositionVelocityPositionVelocityEstimateMahalanobisMetric(const xml::Querier& querier)
    : gate_(read_threshold(querier, "gate")) {}

template <int N>
void PositionVelocityPositionVelocityEstimateMahalanobisMetric<N>::update(
    const state::CompositeState& contact, TrackState& track) const {
    const auto& estimate = contact.get<state::PositionVelocityEstimateState<N>>();
    const auto& truth = track.states.get<state::PositionVelocityState<N>>();
    // delta = x_estimate - (p_truth, v_truth)
    nmrc::Vector<2 * N> delta = estimate.estimate.mean;
    delta.set_segment(0, estimate.position() - truth.position);
    delta.set_segment(N, estimate.velocity() - truth.velocity);
    // d^2 = delta^T P^{-1} delta; ln p = -(2N/2) ln(2 pi) - d^2 / 2 - sum ln L(i, i)
    const nmrc::GaussianScore score = nmrc::gaussian_score(delta, estimate.estimate.covariance);
    if (score.mahalanobis_squared >= gate_) track.gates = false;
    track.log_likelihood += score.log_density;
}

template class PositionVelocityPositionVelocityEstimateDistanceMetric<2>;
template class PositionVelocityPositionVelocityEstimateMahalanobisMetric<2>;

}  // namespace ostrel
