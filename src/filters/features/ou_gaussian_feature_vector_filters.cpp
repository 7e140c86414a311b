#include "filters/features/ou_gaussian_feature_vector_filters.h"

#include "filters/features/independent_gaussian_fit.h"
#include "filters/filter_parameters.h"
#include "filters/prediction_interval.h"
#include "model/states/gaussian_feature_vector_state.h"
#include "model/states/time_state.h"

namespace ostrel {

namespace {
using Feature = state::GaussianFeatureVectorState;

OuComponent read_component(const xml::Querier& querier) {
    return OuProcess<1>::read(querier).component(0);
}
}  // namespace

OuGaussianFeatureVectorStateInitializer::OuGaussianFeatureVectorStateInitializer(
    const xml::Querier& querier)
    : process_(read_component(querier)) {}

void OuGaussianFeatureVectorStateInitializer::update(const state::CompositeState& contact,
                                                     TrackState& track) const {
    const double time = contact.get<state::TimeState>().time;
    const int size = contact.get<Feature>().size();
    // N(c, sigma^2) per component
    track.states.insert(std::make_shared<const Feature>(
        time, nmrc::DynamicVector(size, process_.center), nmrc::DynamicVector(size, process_.sigma)));
}

OuGaussianFeatureVectorStatePredictor::OuGaussianFeatureVectorStatePredictor(
    const xml::Querier& querier)
    : process_(read_component(querier)) {}

void OuGaussianFeatureVectorStatePredictor::update(const state::CompositeState& contact,
                                                   TrackState& track) const {
    const double t = contact.get<state::TimeState>().time;
    const auto& x = track.states.get<Feature>();
    const double dt = prediction_interval(t, x.time);
    nmrc::DynamicVector mean = x.mean, sigma = x.sigma;  // deep copies
    for (int i = 0; i < x.size(); ++i) process_.predict(mean[i], sigma[i], dt);
    track.states.insert(std::make_shared<const Feature>(t, std::move(mean), std::move(sigma)));
}

OuGaussianFeatureVectorStateUpdaterAndGater::OuGaussianFeatureVectorStateUpdaterAndGater(
    const xml::Querier& querier)
    : gate_(read_threshold(querier, "gate")), inner_(make_filter_in(querier.tag("filter"))) {}

void OuGaussianFeatureVectorStateUpdaterAndGater::update(const state::CompositeState& contact,
                                                         TrackState& track) const {
    const char* owner = "OuGaussianFeatureVectorStateUpdaterAndGater";
    const auto& z = contact.get<Feature>();
    const auto& x = track.states.get<Feature>();
    if (z.size() != x.size())
        throw util::Exception("size mismatch in " + std::string(owner) +
                              ": the contact's feature vector has " + std::to_string(z.size()) +
                              " entries, the track's has " + std::to_string(x.size()));
    nmrc::DynamicVector mean(x.size()), sigma(x.size());
    const IndependentGaussianFit fit =
        fit_independent(x.size(), x.mean, x.sigma, z.mean, z.sigma, mean, sigma, owner);
    if (fit.mahalanobis_squared >= gate_) {
        track.gates = false;
        return;
    }
    track.log_likelihood += fit.log_density;
    track.states.insert(std::make_shared<const Feature>(z.time, std::move(mean), std::move(sigma)));
    inner_->update(contact, track);
}

}  // namespace ostrel
