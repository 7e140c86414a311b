#pragma once
#include "filters/filter_schema.h"
#include "numerics/ou_process.h"
#include "tracker/filter.h"

namespace ostrel {

// Filters of a GaussianFeatureState<N>: N independent features, each
// drifting as an Ornstein-Uhlenbeck process (child "ou_process_" + N + "d").

// Keys "ou_gaussian_feature_state_initializer_1d" ... "_4d": the stationary
// law (mean c, sigma per component) at the time of the contact's TimeState.
// The contact's own feature is not used; the score is unchanged.
template <int N>
class OuGaussianFeatureStateInitializer : public Filter {
public:
    struct Parameters {
        typename nmrc::OuProcess<N>::Parameters process;
    };
    static const config::Schema<Parameters>& schema();

    explicit OuGaussianFeatureStateInitializer(const Parameters& parameters) : process_(schema().validate(parameters).process) {}
    explicit OuGaussianFeatureStateInitializer(const xml::Querier& querier) : OuGaussianFeatureStateInitializer(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const nmrc::OuProcess<N> process_;
};

// Keys "ou_gaussian_feature_state_predictor_1d" ... "_3d": each component
// carried forward to the time of the contact's TimeState by
// OuAxis::predict (dt never negative).
template <int N>
class OuGaussianFeatureStatePredictor : public Filter {
public:
    struct Parameters {
        typename nmrc::OuProcess<N>::Parameters process;
    };
    static const config::Schema<Parameters>& schema();

    explicit OuGaussianFeatureStatePredictor(const Parameters& parameters) : process_(schema().validate(parameters).process) {}
    explicit OuGaussianFeatureStatePredictor(const xml::Querier& querier) : OuGaussianFeatureStatePredictor(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const nmrc::OuProcess<N> process_;
};

// Keys "ou_gaussian_feature_state_updater_and_gater_1d" ... "_4d": the
// contact's GaussianFeatureState<N> fitted to the track's by
// fit_independent. d^2 >= "gate" rejects the hypothesis (nothing inserted,
// the inner filter not run); otherwise ln p is scored, the updated feature
// (at the contact feature's time) inserted, and the inner filter ("filter")
// runs with the same arguments.
template <int N>
class OuGaussianFeatureStateUpdaterAndGater : public Filter {
public:
    struct Parameters {
        double gate = 0;
        FilterPtr filter;
    };
    static const config::Schema<Parameters>& schema();

    explicit OuGaussianFeatureStateUpdaterAndGater(const Parameters& parameters)
        : gate_(schema().validate(parameters).gate), inner_(parameters.filter) {}
    explicit OuGaussianFeatureStateUpdaterAndGater(const xml::Querier& querier)
        : OuGaussianFeatureStateUpdaterAndGater(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const double gate_;
    const FilterPtr inner_;
};

extern template class OuGaussianFeatureStateInitializer<1>;
extern template class OuGaussianFeatureStateInitializer<2>;
extern template class OuGaussianFeatureStateInitializer<3>;
extern template class OuGaussianFeatureStateInitializer<4>;
extern template class OuGaussianFeatureStatePredictor<1>;
extern template class OuGaussianFeatureStatePredictor<2>;
extern template class OuGaussianFeatureStatePredictor<3>;
extern template class OuGaussianFeatureStateUpdaterAndGater<1>;
extern template class OuGaussianFeatureStateUpdaterAndGater<2>;
extern template class OuGaussianFeatureStateUpdaterAndGater<3>;
extern template class OuGaussianFeatureStateUpdaterAndGater<4>;

}  // namespace ostrel
