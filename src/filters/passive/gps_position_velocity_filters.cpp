#include "filters/passive/gps_position_velocity_filters.h"

#include "filters/passive/gps_measurement.h"
#include "filters/passive/passive_parameters.h"
#include "filters/position_innovation.h"
#include "model/contacts/gps_contact.h"
#include "model/states/position_velocity_estimate_state.h"

namespace ostrel {

template <int N>
const config::Schema<typename GpsPositionVelocityInitializer<N>::Parameters>&
GpsPositionVelocityInitializer<N>::schema() {
    static const auto schema = [] {
        config::Schema<Parameters> s("gps_position_velocity_" + std::to_string(N) + "d_initializer",
                                     "starts a position-velocity estimate at a GPS position, at rest");
        declare_prior_velocity_covariance(s, &Parameters::prior_velocity_covariance);
        return s;
    }();
    return schema;
}

template <int N>
GpsPositionVelocityInitializer<N>::GpsPositionVelocityInitializer(const Parameters& parameters)
    : prior_velocity_covariance_(schema().validate(parameters).prior_velocity_covariance) {
    static_assert(N == 3, "the GPS filters are three-dimensional");
}

template <int N>
void GpsPositionVelocityInitializer<N>::update(const state::CompositeState& contact,
                                               TrackState& track) const {
    const auto& gps = contact.get<GpsContact<N>>();
    track.states.insert(std::make_shared<const state::PositionVelocityEstimateState<N>>(
        position_velocity_start(gps_position<N>(gps), prior_velocity_covariance_), gps.time));
}

template <int N>
const config::Schema<GateParameters>& GpsPositionVelocityContactUpdater<N>::schema() {
    static const auto schema = gate_schema("gps_position_velocity_" + std::to_string(N) + "d_contact_updater",
                                           "updates the track with a GPS position report");
    return schema;
}

template <int N>
void GpsPositionVelocityContactUpdater<N>::update(const state::CompositeState& contact,
                                                  TrackState& track) const {
    using Estimate = state::PositionVelocityEstimateState<N>;
    const auto& gps = contact.get<GpsContact<N>>();
    const auto& x = track.states.get<Estimate>();
    const PositionInnovation<N, 2 * N> innovation(x.estimate, gps_position<N>(gps));
    if (innovation.score().mahalanobis_squared >= gate_) {
        track.gates = false;
        return;
    }
    track.log_likelihood += innovation.score().log_density;
    track.states.insert(std::make_shared<const Estimate>(innovation.posterior(), gps.time));
}

template class GpsPositionVelocityInitializer<3>;
template class GpsPositionVelocityContactUpdater<3>;

}  // namespace ostrel
