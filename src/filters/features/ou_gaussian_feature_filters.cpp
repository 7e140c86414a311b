#include "filters/features/ou_gaussian_feature_filters.h"

#include "filters/features/independent_gaussian_fit.h"
#include "filters/prediction_interval.h"
#include "model/states/gaussian_feature_state.h"
#include "model/states/time_state.h"

namespace ostrel {

template <int N>
const config::Schema<typename OuGaussianFeatureStateInitializer<N>::Parameters>&
OuGaussianFeatureStateInitializer<N>::schema() {
    static const auto schema =
        config::Schema<Parameters>("ou_gaussian_feature_state_initializer_" + std::to_string(N) + "d",
                                   "starts a track's Gaussian features at the stationary law of their process")
            .nested(&Parameters::process, nmrc::OuProcess<N>::schema(), "the process of the features");
    return schema;
}

template <int N>
void OuGaussianFeatureStateInitializer<N>::update(const state::CompositeState& contact,
                                                  TrackState& track) const {
    const double time = contact.get<state::TimeState>().time;
    nmrc::Vector<N> mean, sigma;
    for (int i = 0; i < N; ++i) {  // N(c, sigma^2) per component
        mean[i] = process_.axis(i).center;
        sigma[i] = process_.axis(i).sigma;
    }
    track.states.insert(std::make_shared<const state::GaussianFeatureState<N>>(time, mean, sigma));
}

template <int N>
const config::Schema<typename OuGaussianFeatureStatePredictor<N>::Parameters>&
OuGaussianFeatureStatePredictor<N>::schema() {
    static const auto schema =
        config::Schema<Parameters>("ou_gaussian_feature_state_predictor_" + std::to_string(N) + "d",
                                   "carries a track's Gaussian features forward by their process")
            .nested(&Parameters::process, nmrc::OuProcess<N>::schema(), "the process of the features");
    return schema;
}

template <int N>
void OuGaussianFeatureStatePredictor<N>::update(const state::CompositeState& contact,
                                                TrackState& track) const {
    const double t = contact.get<state::TimeState>().time;
    const auto& x = track.states.get<state::GaussianFeatureState<N>>();
    const double dt = prediction_interval(t, x.time);
    nmrc::Vector<N> mean = x.mean, sigma = x.sigma;
    for (int i = 0; i < N; ++i) process_.axis(i).predict(mean[i], sigma[i], dt);
    track.states.insert(std::make_shared<const state::GaussianFeatureState<N>>(t, mean, sigma));
}

template <int N>
const config::Schema<typename OuGaussianFeatureStateUpdaterAndGater<N>::Parameters>&
OuGaussianFeatureStateUpdaterAndGater<N>::schema() {
    static const auto schema =
        config::Schema<Parameters>("ou_gaussian_feature_state_updater_and_gater_" + std::to_string(N) + "d",
                                   "fits the contact's Gaussian features to the track's and scores the fit")
            .required(&Parameters::gate, "gate", "the squared Mahalanobis distance at which a contact is rejected",
                      infinity(), threshold())
            .product(&Parameters::filter, "filter", filter_form(), "the filter run after an accepted fit",
                     &make_filter_in);
    return schema;
}

template <int N>
void OuGaussianFeatureStateUpdaterAndGater<N>::update(const state::CompositeState& contact,
                                                      TrackState& track) const {
    using Feature = state::GaussianFeatureState<N>;
    const auto& z = contact.get<Feature>();
    const auto& x = track.states.get<Feature>();
    nmrc::Vector<N> mean, sigma;
    const IndependentGaussianFit fit = fit_independent(
        N, x.mean, x.sigma, z.mean, z.sigma, mean, sigma, "OuGaussianFeatureStateUpdaterAndGater");
    if (fit.mahalanobis_squared >= gate_) {
        track.gates = false;
        return;
    }
    track.log_likelihood += fit.log_density;
    track.states.insert(std::make_shared<const Feature>(z.time, mean, sigma));
    inner_->update(contact, track);
}

template class OuGaussianFeatureStateInitializer<1>;
template class OuGaussianFeatureStateInitializer<2>;
template class OuGaussianFeatureStateInitializer<3>;
template class OuGaussianFeatureStateInitializer<4>;
template class OuGaussianFeatureStatePredictor<1>;
template class OuGaussianFeatureStatePredictor<2>;
template class OuGaussianFeatureStatePredictor<3>;
template class OuGaussianFeatureStateUpdaterAndGater<1>;
template class OuGaussianFeatureStateUpdaterAndGater<2>;
template class OuGaussianFeatureStateUpdaterAndGater<3>;
template class OuGaussianFeatureStateUpdaterAndGater<4>;

}  // namespace ostrel
