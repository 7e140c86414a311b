#include "filters/features/ou_gaussian_feature_vector_filters.h"

#include "filters/features/independent_gaussian_fit.h"
#include "filters/prediction_interval.h"
#include "model/states/gaussian_feature_vector_state.h"
#include "model/states/time_state.h"

namespace ostrel {

namespace {
using Feature = state::GaussianFeatureVectorState;

nmrc::OuAxis axis_of(const nmrc::OuProcess<1>::Parameters& process) { return nmrc::OuProcess<1>(process).axis(0); }
}  // namespace

const config::Schema<OuGaussianFeatureVectorStateInitializer::Parameters>&
OuGaussianFeatureVectorStateInitializer::schema() {
    static const auto schema =
        config::Schema<Parameters>("ou_gaussian_feature_vector_state_initializer",
                                   "starts a track's feature vector at the stationary law of its process")
            .nested(&Parameters::process, nmrc::OuProcess<1>::schema(), "the process of every component");
    return schema;
}

OuGaussianFeatureVectorStateInitializer::OuGaussianFeatureVectorStateInitializer(const Parameters& parameters)
    : process_(axis_of(schema().validate(parameters).process)) {}

void OuGaussianFeatureVectorStateInitializer::update(const state::CompositeState& contact,
                                                     TrackState& track) const {
    const double time = contact.get<state::TimeState>().time;
    const int size = contact.get<Feature>().size();
    // N(c, sigma^2) per component
    track.states.insert(std::make_shared<const Feature>(
        time, nmrc::DynamicVector(size, process_.center), nmrc::DynamicVector(size, process_.sigma)));
}

const config::Schema<OuGaussianFeatureVectorStatePredictor::Parameters>&
OuGaussianFeatureVectorStatePredictor::schema() {
    static const auto schema =
        config::Schema<Parameters>("ou_gaussian_feature_vector_state_predictor",
                                   "carries a track's feature vector forward by its process")
            .nested(&Parameters::process, nmrc::OuProcess<1>::schema(), "the process of every component");
    return schema;
}

OuGaussianFeatureVectorStatePredictor::OuGaussianFeatureVectorStatePredictor(const Parameters& parameters)
    : process_(axis_of(schema().validate(parameters).process)) {}

void OuGaussianFeatureVectorStatePredictor::update(const state::CompositeState& contact,
                                                   TrackState& track) const {
    const double t = contact.get<state::TimeState>().time;
    const auto& x = track.states.get<Feature>();
    const double dt = prediction_interval(t, x.time);
    nmrc::DynamicVector mean = x.mean, sigma = x.sigma;  // deep copies
    for (int i = 0; i < x.size(); ++i) process_.predict(mean[i], sigma[i], dt);
    track.states.insert(std::make_shared<const Feature>(t, std::move(mean), std::move(sigma)));
}

const config::Schema<OuGaussianFeatureVectorStateUpdaterAndGater::Parameters>&
OuGaussianFeatureVectorStateUpdaterAndGater::schema() {
    static const auto schema =
        config::Schema<Parameters>("ou_gaussian_feature_vector_state_updater_and_gater",
                                   "fits the contact's feature vector to the track's and scores the fit")
            .required(&Parameters::gate, "gate", "the squared Mahalanobis distance at which a contact is rejected",
                      infinity(), threshold())
            .product(&Parameters::filter, "filter", filter_form(), "the filter run after an accepted fit",
                     &make_filter_in);
    return schema;
}

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
