#pragma once
#include <memory>
#include <string>

#include "config/schema.h"
#include "model/states/gaussian_feature_state.h"
#include "model/states/gaussian_feature_vector_state.h"
#include "numerics/dynamic_vector.h"
#include "numerics/random.h"
#include "numerics/value_forms.h"
#include "simulation/sensor_support.h"
#include "simulation/simulator.h"

namespace snsr {

// Measures the Gaussian features of the truth a contact refers to, each
// component independently: mean_i = truth mean_i + sigma_i z_i, sigma_i the
// configured standard deviation (positive). The measurement holds at the
// truth's TimeState, else the contact's, else the truth feature's own time.
// Key "gaussian_feature_state_sensor_" + N + "d"; child "sigma" (N numbers).
template <int N>
class GaussianFeatureStateSensor : public smltr::Simulator {
public:
    static std::string key() { return "gaussian_feature_state_sensor_" + std::to_string(N) + "d"; }

    struct Parameters {
        nmrc::Vector<N> sigma = nmrc::Vector<N>::constant(1.0);
    };
    static const config::Schema<Parameters>& schema() {
        static const auto schema =
            config::Schema<Parameters>(key(), "measures the Gaussian features of a contact's truth")
                .required(&Parameters::sigma, "sigma", "the standard deviation of each component's error",
                          config::positive_finite());
        return schema;
    }

    explicit GaussianFeatureStateSensor(const Parameters& parameters)
        : sigma_(schema().validate(parameters).sigma) {}
    explicit GaussianFeatureStateSensor(const nmrc::Vector<N>& sigma) : GaussianFeatureStateSensor(Parameters{sigma}) {}
    explicit GaussianFeatureStateSensor(const xml::Querier& querier)
        : GaussianFeatureStateSensor(schema().bind(querier)) {}

    void simulate(state::CompositeState& contact) override {
        using Feature = state::GaussianFeatureState<N>;
        const state::CompositeState& truth = truth_of(key(), contact);
        const Feature& feature = truth_part<Feature>(key(), truth, Feature::key());
        nmrc::Vector<N> mean;
        // m_i = truth m_i + sigma_i z_i
        for (int i = 0; i < N; ++i) mean[i] = feature.mean[i] + sigma_[i] * normal_.next();
        contact.insert(std::make_shared<const Feature>(
            measurement_time(key(), truth, contact, feature.time), mean, sigma_));
    }

private:
    nmrc::Vector<N> sigma_;
    nmrc::NormalGenerator normal_;
};

// The same for a GaussianFeatureVectorState; "sigma" holds one positive
// number per component, and the truth's vector must have as many.
// Key "gaussian_feature_vector_state_sensor".
class GaussianFeatureVectorStateSensor : public smltr::Simulator {
public:
    static const char* key() { return "gaussian_feature_vector_state_sensor"; }

    struct Parameters {
        nmrc::DynamicVector sigma;
    };
    static const config::Schema<Parameters>& schema();

    explicit GaussianFeatureVectorStateSensor(const Parameters& parameters);
    explicit GaussianFeatureVectorStateSensor(const xml::Querier& querier)
        : GaussianFeatureVectorStateSensor(schema().bind(querier)) {}
    void simulate(state::CompositeState& contact) override;

private:
    nmrc::DynamicVector sigma_;
    nmrc::NormalGenerator normal_;
};

}  // namespace snsr
