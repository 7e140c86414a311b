#include "filters/nearly_constant_position_predictor.h"

#include "filters/filter_schema.h"
#include "filters/prediction_interval.h"
#include "model/states/position_estimate_state.h"
#include "model/states/time_state.h"

namespace ostrel {

template <int N>
const config::Schema<typename NearlyConstantPositionPredictor<N>::Parameters>& NearlyConstantPositionPredictor<N>::schema() {
    static const auto schema =
        config::Schema<Parameters>("nearly_constant_position_" + std::to_string(N) + "d_predictor", "carries a position estimate forward, its uncertainty growing")
            .required(&Parameters::process_noise, "process_noise", "the spectral density of the noise of each axis",
                      spectral_density());
    return schema;
}

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
