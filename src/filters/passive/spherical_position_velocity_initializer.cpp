#include "filters/passive/spherical_position_velocity_initializer.h"

#include "filters/passive/angle_measurement_models.h"
#include "filters/passive/passive_parameters.h"
#include "model/states/position_velocity_estimate_state.h"
#include "model/states/time_state.h"

namespace ostrel {

const config::Schema<SphericalPositionVelocityInitializer::Parameters>&
SphericalPositionVelocityInitializer::schema() {
    static const auto schema = [] {
        config::Schema<Parameters> s("radar_position_velocity_initializer",
                                     "starts a position-velocity estimate at a radar contact's position, at rest");
        declare_prior_velocity_covariance(s, &Parameters::prior_velocity_covariance);
        return s;
    }();
    return schema;
}

void SphericalPositionVelocityInitializer::update(const state::CompositeState& contact,
                                                  TrackState& track) const {
    const double time = contact.get<state::TimeState>().time;
    const nmrc::Normal<3> position = RadarMeasurementModel::converted_position(contact);
    track.states.insert(std::make_shared<const state::PositionVelocityEstimateState<3>>(
        position_velocity_start(position, prior_velocity_covariance_), time));
}

}  // namespace ostrel
