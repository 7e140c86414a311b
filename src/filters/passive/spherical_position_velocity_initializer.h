#pragma once
#include "filters/filter_schema.h"
#include "numerics/symmetric_matrix.h"
#include "tracker/filter.h"

namespace ostrel {

// Keys "spherical_position_velocity_initializer" and
// "radar_position_velocity_initializer" (one creator): starts the track's
// PositionVelocityEstimateState<3> from the contact's SphericalContact
// converted to a Cartesian position (p, Cp): mean (p, 0), covariance
// [[Cp, 0], [0, "prior_velocity_covariance"]], at the time of the contact's
// TimeState. The score is unchanged.
class SphericalPositionVelocityInitializer : public Filter {
public:
    struct Parameters {
        nmrc::SymmetricMatrix<3> prior_velocity_covariance;
    };
    static const config::Schema<Parameters>& schema();

    explicit SphericalPositionVelocityInitializer(const Parameters& parameters)
        : prior_velocity_covariance_(schema().validate(parameters).prior_velocity_covariance) {}
    explicit SphericalPositionVelocityInitializer(const xml::Querier& querier)
        : SphericalPositionVelocityInitializer(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const nmrc::SymmetricMatrix<3> prior_velocity_covariance_;
};

}  // namespace ostrel
