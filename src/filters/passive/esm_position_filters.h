#pragma once
#include "numerics/symmetric_matrix.h"
#include "filters/filter_schema.h"
#include "tracker/filter.h"

namespace ostrel {

// Key "esm_position_velocity_initializer": starts the track's
// PositionVelocityEstimateState<3> from an EsmContact taken as a spherical
// measurement with range (min_range + max_range) / 2 (variance of a uniform
// range, (max - min)^2 / 12), the bearing, and elevation 0 (variance pi^2/12,
// uniform over a half turn): mean (p, 0), covariance [[Cp, 0], [0,
// "prior_velocity_covariance"]], at the contact's time. Adds the log-density
// of a position uniform over that range, bearing and elevation extent,
// -ln(2 pi^2) - ln(max_range).
class EsmPositionVelocityInitializer : public Filter {
public:
    struct Parameters {
        nmrc::SymmetricMatrix<3> prior_velocity_covariance;
    };
    static const config::Schema<Parameters>& schema();

    explicit EsmPositionVelocityInitializer(const Parameters& parameters)
        : prior_velocity_covariance_(schema().validate(parameters).prior_velocity_covariance) {}
    explicit EsmPositionVelocityInitializer(const xml::Querier& querier)
        : EsmPositionVelocityInitializer(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const nmrc::SymmetricMatrix<3> prior_velocity_covariance_;
};

// Key "esm_homogenized_position_contact_updater": the position Kalman update
// of the track's PositionVelocityEstimateState<3> with z and R the mean and
// covariance of the EsmContact's homogenized position. d^2 >= "gate" rejects
// the hypothesis; otherwise ln p is scored and the estimate, at the contact's
// time, replaces the old one. A contact without a homogenized position
// fails, naming the operation.
class EsmHomogenizedPositionContactUpdater : public Filter {
public:
    using Parameters = GateParameters;
    static const config::Schema<Parameters>& schema();

    explicit EsmHomogenizedPositionContactUpdater(const Parameters& parameters)
        : gate_(schema().validate(parameters).gate) {}
    explicit EsmHomogenizedPositionContactUpdater(const xml::Querier& querier)
        : EsmHomogenizedPositionContactUpdater(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const double gate_;
};

}  // namespace ostrel
