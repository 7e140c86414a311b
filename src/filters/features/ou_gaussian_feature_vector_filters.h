#pragma once
#include "filters/filter_schema.h"
#include "numerics/ou_process.h"
#include "tracker/filter.h"

namespace ostrel {

// Filters of a GaussianFeatureVectorState: features of run-time length, each
// component following the one OU process of the child "ou_process_1d"
// (the same process for every component), component by component as the
// fixed-size kinds do.

// Key "ou_gaussian_feature_vector_state_initializer": the stationary law
// (mean c, sigma) for every component, as many components as the contact's
// GaussianFeatureVectorState has, at the time of the contact's TimeState.
class OuGaussianFeatureVectorStateInitializer : public Filter {
public:
    struct Parameters {
        nmrc::OuProcess<1>::Parameters process;
    };
    static const config::Schema<Parameters>& schema();

    explicit OuGaussianFeatureVectorStateInitializer(const Parameters& parameters);
    explicit OuGaussianFeatureVectorStateInitializer(const xml::Querier& querier) : OuGaussianFeatureVectorStateInitializer(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const nmrc::OuAxis process_;
};

// Key "ou_gaussian_feature_vector_state_predictor": every component carried
// forward to the time of the contact's TimeState by OuAxis::predict.
class OuGaussianFeatureVectorStatePredictor : public Filter {
public:
    struct Parameters {
        nmrc::OuProcess<1>::Parameters process;
    };
    static const config::Schema<Parameters>& schema();

    explicit OuGaussianFeatureVectorStatePredictor(const Parameters& parameters);
    explicit OuGaussianFeatureVectorStatePredictor(const xml::Querier& querier) : OuGaussianFeatureVectorStatePredictor(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const nmrc::OuAxis process_;
};

// Key "ou_gaussian_feature_vector_state_updater_and_gater": as the
// fixed-size updater; a contact feature whose length differs from the
// track's ends the run naming both lengths.
class OuGaussianFeatureVectorStateUpdaterAndGater : public Filter {
public:
    struct Parameters {
        double gate = 0;
        FilterPtr filter;
    };
    static const config::Schema<Parameters>& schema();

    explicit OuGaussianFeatureVectorStateUpdaterAndGater(const Parameters& parameters)
        : gate_(schema().validate(parameters).gate), inner_(parameters.filter) {}
    explicit OuGaussianFeatureVectorStateUpdaterAndGater(const xml::Querier& querier)
        : OuGaussianFeatureVectorStateUpdaterAndGater(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const double gate_;
    const FilterPtr inner_;
};

}  // namespace ostrel
