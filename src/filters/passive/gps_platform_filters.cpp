#include "filters/passive/gps_platform_filters.h"

#include <cmath>

#include "filters/passive/discrete_belief.h"
#include "filters/passive/gps_measurement.h"
#include "filters/passive/passive_parameters.h"
#include "filters/position_innovation.h"
#include "model/contacts/gps_contact.h"
#include "model/fusion/gps_id_state.h"
#include "model/states/platform_type_distribution_state.h"
#include "model/states/position_velocity_estimate_state.h"

namespace ostrel {

namespace {

// Whether the track is bound to a GPS id other than the report's.
bool bound_elsewhere(const state::CompositeState& track_states, std::int32_t gps_id) {
    const auto bound = track_states.get_ptr<fusion::GpsIdState>();
    return bound && bound->gps_id != gps_id;
}

}  // namespace

template <int N>
const config::Schema<typename GpsPlatformContactUpdater<N>::Parameters>& GpsPlatformContactUpdater<N>::schema() {
    using P = Parameters;
    static const auto schema =
        config::Schema<P>("gps_" + std::to_string(N) + "d_platform_contact_udpater",
                          "updates a track's platform-type belief by a GPS report")
            .required(&P::gate, "gate", "the report probability at or below which a contact is rejected",
                      probability_gate("gate is negative in GpsPlatformFilter"))
            .required(&P::prior_platform_type_distribution, "prior_platform_type_distribution",
                      "the prior probability of each platform type", probability_entry(), not_empty());
    return schema;
}

template <int N>
void GpsPlatformContactUpdater<N>::update(const state::CompositeState& contact,
                                          TrackState& track) const {
    const auto& gps = contact.get<GpsContact<N>>();
    if (bound_elsewhere(track.states, gps.gps_id)) {
        track.gates = false;
        return;
    }
    const auto held = track.states.get_ptr<PlatformTypeDistributionState>();
    const nmrc::DynamicVector& belief = held ? held->distribution : prior_;
    check_index(gps.platform_type, belief.size(), "platform_type",
                "the platform-type distribution", "GpsPlatformContactUpdater");
    const double a = belief[gps.platform_type];  // P(reported type)
    if (!(a > gate_)) {
        track.gates = false;
        return;
    }
    track.log_likelihood += std::log(a);
    track.states.insert(std::make_shared<const PlatformTypeDistributionState>(
        certain(belief.size(), gps.platform_type)));
    track.states.insert(std::make_shared<const fusion::GpsIdState>(gps.gps_id));
}

const config::Schema<GpsContactUpdaterAndGater::Parameters>& GpsContactUpdaterAndGater::schema() {
    using P = Parameters;
    static const auto schema =
        config::Schema<P>("gps_contact_updater_and_gater", "updates the track with a GPS position report")
            .product(&P::filter, "filter", filter_form(), "the filter run after an accepted update", &make_filter_in)
            .required(&P::gate, "gate", "the squared Mahalanobis distance at which a contact is rejected",
                      infinity(), threshold());
    return schema;
}

void GpsContactUpdaterAndGater::update(const state::CompositeState& contact,
                                       TrackState& track) const {
    using Estimate = state::PositionVelocityEstimateState<3>;
    const auto& gps = contact.get<GpsContact<3>>();
    if (bound_elsewhere(track.states, gps.gps_id)) {
        track.gates = false;
        return;
    }
    const auto& x = track.states.get<Estimate>();
    const PositionInnovation<3, 6> innovation(x.estimate, gps_position<3>(gps));
    if (innovation.score().mahalanobis_squared >= gate_) {
        track.gates = false;
        return;
    }
    track.log_likelihood += innovation.score().log_density;
    track.states.insert(std::make_shared<const Estimate>(innovation.posterior(), gps.time));
    track.states.insert(std::make_shared<const fusion::GpsIdState>(gps.gps_id));
    if (track.gates) inner_->update(contact, track);
}

template class GpsPlatformContactUpdater<3>;

}  // namespace ostrel
