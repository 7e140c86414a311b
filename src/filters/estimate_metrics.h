#pragma once
#include "config/schema.h"
#include "tracker/filter.h"

namespace ostrel {

// Scores an estimate carried by the contact (a PositionVelocityEstimateState)
// against the truth held by the track (a PositionVelocityState): used to
// associate estimates with simulated targets when evaluating a tracker.

// Key "position_velocity_position_velocity_estimate_distance_metric_2d": the
// pass's score becomes the Euclidean distance between the positions; a
// distance above "maximum_distance" (a number or "infinity") rejects the
// pairing.
template <int N>
class PositionVelocityPositionVelocityEstimateDistanceMetric : public Filter {
public:
    struct Parameters {
        double maximum_distance = 0;
    };
    static const config::Schema<Parameters>& schema();

    explicit PositionVelocityPositionVelocityEstimateDistanceMetric(const Parameters& parameters)
        : maximum_distance_(schema().validate(parameters).maximum_distance) {}
    explicit PositionVelocityPositionVelocityEstimateDistanceMetric(const xml::Querier& querier)
        : PositionVelocityPositionVelocityEstimateDistanceMetric(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const double maximum_distance_;
};

// Key "position_velocity_position_velocity_estimate_mahalanobis_metric_2d":
// with delta = estimate mean - truth (positions and velocities) and the
// estimate's covariance P, adds ln p of delta under N(0, P); d^2 >= "gate"
// (a number or "infinity") rejects the pairing.
template <int N>
class PositionVelocityPositionVelocityEstimateMahalanobisMetric : public Filter {
public:
    struct Parameters {
        double gate = 0;
    };
    static const config::Schema<Parameters>& schema();

    explicit PositionVelocityPositionVelocityEstimateMahalanobisMetric(const Parameters& parameters)
        : gate_(schema().validate(parameters).gate) {}
    explicit PositionVelocityPositionVelocityEstimateMahalanobisMetric(const xml::Querier& querier)
        : PositionVelocityPositionVelocityEstimateMahalanobisMetric(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const double gate_;
};

extern template class PositionVelocityPositionVelocityEstimateDistanceMetric<2>;
extern template class PositionVelocityPositionVelocityEstimateMahalanobisMetric<2>;

}  // namespace ostrel
