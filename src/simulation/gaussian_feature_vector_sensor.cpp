#include "simulation/gaussian_feature_sensors.h"

namespace snsr {

const config::Schema<GaussianFeatureVectorStateSensor::Parameters>& GaussianFeatureVectorStateSensor::schema() {
    using P = Parameters;
    const config::Check<nmrc::DynamicVector> not_empty{
        "at least one number", [](const nmrc::DynamicVector& v) { return !v.empty(); }, {}};
    static const auto schema =
        config::Schema<P>(key(), "measures the Gaussian feature vector of a contact's truth")
            .required(&P::sigma, "sigma", "the standard deviation of each component's error",
                      config::positive_finite(), not_empty);
    return schema;
}

GaussianFeatureVectorStateSensor::GaussianFeatureVectorStateSensor(const Parameters& parameters)
    : sigma_(schema().validate(parameters).sigma) {}

void GaussianFeatureVectorStateSensor::simulate(state::CompositeState& contact) {
    using Feature = state::GaussianFeatureVectorState;
    const state::CompositeState& truth = truth_of(key(), contact);
    const Feature& feature = truth_part<Feature>(key(), truth, Feature::key());
    if (feature.size() != sigma_.size())
        throw util::Exception(std::string(key()) + ": the truth's feature vector has size " +
                              std::to_string(feature.size()) + " but sigma has " +
                              std::to_string(sigma_.size()) + " numbers");
    nmrc::DynamicVector mean(sigma_.size());
    // m_k = truth m_k + sigma_k z_k
    for (int k = 0; k < sigma_.size(); ++k) mean[k] = feature.mean[k] + sigma_[k] * normal_.next();
    contact.insert(std::make_shared<const Feature>(
        measurement_time(key(), truth, contact, feature.time), std::move(mean), sigma_));
}

}  // namespace snsr
