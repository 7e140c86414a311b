#include "filters/features/normal_feature_filters.h"

#include "filters/filter_schema.h"
#include "filters/position_innovation.h"
#include "filters/prediction_interval.h"
#include "model/states/rgb_color_state.h"
#include "model/states/segment_size_state.h"
#include "model/states/time_state.h"

namespace ostrel {

namespace {

// "rgb_color" for RgbColorState: the stem of the feature's keys.
template <class Feature>
std::string feature_stem() {
    const std::string key = Feature::key();
    return key.substr(0, key.size() - std::string("_state").size());
}

const char* use_score_meaning() { return "\"false\" leaves the score unchanged; any other text scores"; }

bool scores(const std::string& use_score) { return use_score != "false"; }

}  // namespace

template <class Feature>
const config::Schema<typename NormalFeatureInitializer<Feature>::Parameters>&
NormalFeatureInitializer<Feature>::schema() {
    static const auto schema =
        config::Schema<Parameters>(feature_stem<Feature>() + "_initializer",
                                   "starts the track's feature as the contact's, scoring a uniform prior")
            .required(&Parameters::use_score, "use_score", use_score_meaning());
    return schema;
}

template <class Feature>
NormalFeatureInitializer<Feature>::NormalFeatureInitializer(const Parameters& parameters,
                                                            double uniform_log_density)
    : score_(scores(schema().validate(parameters).use_score) ? uniform_log_density : 0.0) {}

template <class Feature>
void NormalFeatureInitializer<Feature>::update(const state::CompositeState& contact,
                                               TrackState& track) const {
    // States are immutable, so the contact's feature is shared, not copied.
    const auto z = contact.get_ptr<Feature>();
    if (!z) state::State::throw_cast_failure(Feature::static_type_id(), 0);
    track.log_likelihood += score_;
    track.states.insert(z);
}

template <class Feature, int N>
const config::Schema<typename NormalFeaturePredictor<Feature, N>::Parameters>&
NormalFeaturePredictor<Feature, N>::schema() {
    static const auto schema =
        config::Schema<Parameters>(feature_stem<Feature>() + "_predictor",
                                   "lets the track's feature drift as a random walk")
            .required(&Parameters::process_noise, "process_noise", "the spectral density of each component's drift",
                      spectral_density());
    return schema;
}

template <class Feature, int N>
NormalFeaturePredictor<Feature, N>::NormalFeaturePredictor(const Parameters& parameters)
    : process_noise_(schema().validate(parameters).process_noise) {}

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
const config::Schema<typename NormalFeatureUpdater<Feature, N>::Parameters>& NormalFeatureUpdater<Feature, N>::schema() {
    static const auto schema =
        config::Schema<Parameters>(feature_stem<Feature>() + "_updater",
                                   "updates the track's feature with the contact's (Kalman)")
            .required(&Parameters::gate, "gate", "the squared Mahalanobis distance at which a contact is rejected",
                      infinity(), threshold())
            .required(&Parameters::use_score, "use_score", use_score_meaning());
    return schema;
}

template <class Feature, int N>
NormalFeatureUpdater<Feature, N>::NormalFeatureUpdater(const Parameters& parameters)
    : gate_(schema().validate(parameters).gate), use_score_(scores(parameters.use_score)) {}

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
