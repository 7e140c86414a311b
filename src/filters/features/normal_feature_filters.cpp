#include "filters/features/normal_feature_filters.h"

#include "filters/features/use_score.h"
#include "filters/filter_parameters.h"
#include "filters/position_innovation.h"
#include "filters/prediction_interval.h"
#include "model/states/rgb_color_state.h"
#include "model/states/segment_size_state.h"
#include "model/states/time_state.h"

namespace ostrel {

template <class Feature>
NormalFeatureInitializer<Feature>::NormalFeatureInitializer(const xml::Querier& querier,
                                                            double uniform_log_density)
    : score_(read_use_score(querier) ? uniform_log_density : 0.0) {}

template <class Feature>
void NormalFeatureInitializer<Feature>::update(const state::CompositeState& contact,
                                               TrackState& track) const {
    // States are immutable, so the contact's feature is shared, not copied.
    const auto z = contact.get_ptr<Feature>();
    if (!z) throw util::Exception("State::cast()");
    track.log_likelihood += score_;
    track.states.insert(z);
}

template <class Feature, int N>
NormalFeaturePredictor<Feature, N>::NormalFeaturePredictor(const xml::Querier& querier)
    : process_noise_(read_process_noise<N>(querier)) {}

template <class Feature, int N>
void NormalFeaturePredictor<Feature, N>::update(const state::CompositeState& contact,
                                                TrackState& track) const {
    const double t = contact.get<state::TimeState>().time;
    const auto& x = track.states.get<Feature>();
    const double dt = prediction_interval(t, x.time);
    nmrc::Normal<N> predicted = x.estimate;
    for (int i = 0; i < N; ++i) predicted.covariance(i, i) += dt * process_noise_[i];  // P(i,i) += dt q_i
    track.states.insert(std::make_shared<const Feature>(t, predicted));
}

template <class Feature, int N>
NormalFeatureUpdater<Feature, N>::NormalFeatureUpdater(const xml::Querier& querier)
    : gate_(read_threshold(querier, "gate")), use_score_(read_use_score(querier)) {}

template <class Feature, int N>
void NormalFeatureUpdater<Feature, N>::update(const state::CompositeState& contact,
                                              TrackState& track) const {
    const auto& z = contact.get<Feature>();
    const auto& x = track.states.get<Feature>();
    // H = I: nu = z - x, S = P + R
    const PositionInnovation<N, N> innovation(x.estimate, z.estimate);
    if (innovation.score().mahalanobis_squared >= gate_) track.gates = false;
    if (use_score_) track.log_likelihood += innovation.score().log_density;
    track.states.insert(std::make_shared<const Feature>(z.time, innovation.posterior()));
}

template class NormalFeatureInitializer<RgbColorState>;
template class NormalFeatureInitializer<SegmentSizeState>;
template class NormalFeaturePredictor<RgbColorState, 3>;
template class NormalFeaturePredictor<SegmentSizeState, 1>;
template class NormalFeatureUpdater<RgbColorState, 3>;
template class NormalFeatureUpdater<SegmentSizeState, 1>;

}  // namespace ostrel
