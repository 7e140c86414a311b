#pragma once
#include "filters/features/ou_process.h"
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
    explicit OuGaussianFeatureVectorStateInitializer(const xml::Querier& querier);
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const OuComponent process_;
};

// Key "ou_gaussian_feature_vector_state_predictor": every component carried
// forward to the time of the contact's TimeState by OuComponent::predict.
class OuGaussianFeatureVectorStatePredictor : public Filter {
public:
    explicit OuGaussianFeatureVectorStatePredictor(const xml::Querier& querier);
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const OuComponent process_;
};

// Key "ou_gaussian_feature_vector_state_updater_and_gater": as the
// fixed-size updater; a contact feature whose length differs from the
// track's ends the run naming both lengths.
class OuGaussianFeatureVectorStateUpdaterAndGater : public Filter {
public:
    explicit OuGaussianFeatureVectorStateUpdaterAndGater(const xml::Querier& querier);
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const double gate_;
    const FilterPtr inner_;
};

}  // namespace ostrel
