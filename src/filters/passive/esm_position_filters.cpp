#include "filters/passive/esm_position_filters.h"

#include <cmath>

#include "filters/passive/angle_measurement_models.h"
#include "filters/passive/passive_parameters.h"
#include "filters/position_innovation.h"
#include "model/contacts/esm_contact.h"
#include "model/states/position_velocity_estimate_state.h"

namespace ostrel {

namespace {
using Estimate = state::PositionVelocityEstimateState<3>;
constexpr double two_pi_squared = 19.739208802178716;  // 2 pi^2
}  // namespace

const config::Schema<EsmPositionVelocityInitializer::Parameters>& EsmPositionVelocityInitializer::schema() {
    static const auto schema = [] {
        config::Schema<Parameters> s("esm_position_velocity_initializer",
                                     "starts a position-velocity estimate from an intercept's converted position");
        declare_prior_velocity_covariance(s, &Parameters::prior_velocity_covariance);
        return s;
    }();
    return schema;
}

void EsmPositionVelocityInitializer::update(const state::CompositeState& contact,
                                            TrackState& track) const {
    const auto& esm = contact.get<EsmContact>();
    const nmrc::Normal<3> position = EsmMeasurementModel::converted_position(contact);
    // ln p = -ln(2 pi^2) - ln(max_range)
    track.log_likelihood += -std::log(two_pi_squared) - std::log(esm.max_range);
    track.states.insert(std::make_shared<const Estimate>(
        position_velocity_start(position, prior_velocity_covariance_), esm.time));
}

const config::Schema<GateParameters>& EsmHomogenizedPositionContactUpdater::schema() {
    static const auto schema = gate_schema("esm_homogenized_position_contact_updater",
                                           "updates the track with the intercept's homogenized position");
    return schema;
}

void EsmHomogenizedPositionContactUpdater::update(const state::CompositeState& contact,
                                                  TrackState& track) const {
    const auto& esm = contact.get<EsmContact>();
    if (!esm.homogenized_position)
        throw util::Exception(
            "esm_contact holds no homogenized_position_contact in "
            "EsmHomogenizedPositionContactUpdater");
    const auto& x = track.states.get<Estimate>();
    const PositionInnovation<3, 6> innovation(x.estimate, *esm.homogenized_position);
    if (innovation.score().mahalanobis_squared >= gate_) {
        track.gates = false;
        return;
    }
    track.log_likelihood += innovation.score().log_density;
    track.states.insert(std::make_shared<const Estimate>(innovation.posterior(), esm.time));
}

}  // namespace ostrel
