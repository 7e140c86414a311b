#include "filters/features/ou_gaussian_feature_filters.h"

#include "filters/features/independent_gaussian_fit.h"
#include "filters/filter_parameters.h"
#include "filters/prediction_interval.h"
#include "model/states/gaussian_feature_state.h"
#include "model/states/time_state.h"

namespace ostrel {

template <int N>
OuGaussianFeatureStateInitializer<N>::OuGaussianFeatureStateInitializer(const xml::Querier& querier)
    : process_(OuProcess<N>::read(querier)) {}

template <int N>
void OuGaussianFeatureStateInitializer<N>::update(const state::CompositeState& contact,
                                                  TrackState& track) const {
    const double time = contact.get<state::TimeState>().time;
    nmrc::Vector<N> mean, sigma;
    for (int i = 0; i < N; ++i) {  // N(c, sigma^2) per component
        mean[i] = process_.component(i).center;
        sigma[i] = process_.component(i).sigma;
    }
    track.states.insert(std::make_shared<const state::GaussianFeatureState<N>>(time, mean, sigma));
}

template <int N>
OuGaussianFeatureStatePredictor<N>::OuGaussianFeatureStatePredictor(const xml::Querier& querier)
    : process_(OuProcess<N>::read(querier)) {}

template <int N>
void OuGaussianFeatureStatePredictor<N>::update(const state::CompositeState& contact,
                                                TrackState& track) const {
    const double t = contact.get<state::TimeState>().time;
    const auto& x = track.states.get<state::GaussianFeatureState<N>>();
    const double dt = prediction_interval(t, x.time);
    nmrc::Vector<N> mean = x.mean, sigma = x.sigma;
    for (int i = 0; i < N; ++i) process_.component(i).predict(mean[i], sigma[i], dt);
    track.states.insert(std::make_shared<const state::GaussianFeatureState<N>>(t, mean, sigma));
}

template <int N>
OuGaussianFeatureStateUpdaterAndGater<N>::OuGaussianFeatureStateUpdaterAndGater(
    const xml::Querier& querier)
    : gate_(read_threshold(querier, "gate")), inner_(make_filter_in(querier.tag("filter"))) {}

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
