#include "filters/nearly_constant_position_predictor.h"

#include "filters/filter_parameters.h"
#include "filters/prediction_interval.h"
#include "model/states/position_estimate_state.h"
#include "model/states/time_state.h"

namespace ostrel {

template <int N>
NearlyConstantPositionPredictor<N>::NearlyConstantPositionPredictor(const xml::Querier& querier)
    : process_noise_(read_process_noise<N>(querier)) {}

template <int N>
void NearlyConstantPositionPredictor<N>::update(const state::CompositeState& contact,
                                                TrackState& track) const {
    using Estimate = state::PositionEstimateState<N>;
    const double time = contact.get<state::TimeState>().time;
    const Estimate& estimate = track.states.get<Estimate>();
    const double dt = prediction_interval(time, estimate.time);
    nmrc::Normal<N> predicted = estimate.estimate;  // mean unchanged
    // P'(i, i) = P(i, i) + q_i dt; off-diagonal entries unchanged
    for (int i = 0; i < N; ++i) predicted.covariance(i, i) += process_noise_[i] * dt;
    track.states.insert(std::make_shared<const Estimate>(predicted, time));
}

template class NearlyConstantPositionPredictor<2>;
template class NearlyConstantPositionPredictor<3>;

}  // namespace ostrel
