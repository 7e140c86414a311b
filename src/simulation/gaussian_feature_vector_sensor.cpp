#include "model/states/dynamic_vector_xml.h"
#include "simulation/gaussian_feature_sensors.h"

namespace snsr {

GaussianFeatureVectorStateSensor::GaussianFeatureVectorStateSensor(const xml::Querier& querier)
    : sigma_(state::read_dynamic_vector(querier.tag("sigma"))) {
    for (int k = 0; k < sigma_.size(); ++k)
        smltr::require_positive(key(), smltr::element_name("sigma", k), sigma_[k]);
}

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
