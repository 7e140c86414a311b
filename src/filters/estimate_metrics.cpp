#include "filters/estimate_metrics.h"

#include "filters/filter_schema.h"
#include "model/states/position_velocity_estimate_state.h"
#include "model/states/position_velocity_state.h"
#include "numerics/gaussian.h"

namespace ostrel {

template <int N>
const config::Schema<typename PositionVelocityPositionVelocityEstimateDistanceMetric<N>::Parameters>&
PositionVelocityPositionVelocityEstimateDistanceMetric<N>::schema() {
    static const auto schema =
        config::Schema<Parameters>("position_velocity_position_velocity_estimate_distance_metric_" +
                                       std::to_string(N) + "d",
                                   "scores an estimate by its distance from the truth")
            .required(&Parameters::maximum_distance, "maximum_distance", "the distance beyond which it is rejected",
                      infinity(), threshold());
    return schema;
}

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
const config::Schema<typename PositionVelocityPositionVelocityEstimateMahalanobisMetric<N>::Parameters>&
PositionVelocityPositionVelocityEstimateMahalanobisMetric<N>::schema() {
    static const auto schema =
        config::Schema<Parameters>("position_velocity_position_velocity_estimate_mahalanobis_metric_" +
                                       std::to_string(N) + "d",
                                   "scores an estimate by the normal density of the truth under it")
            .required(&Parameters::gate, "gate", "the squared Mahalanobis distance at which it is rejected",
                      infinity(), threshold());
    return schema;
}

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
