#include "filters/passive/passive_platform_type_coast.h"

#include <cmath>

#include "filters/passive/discrete_belief.h"
#include "filters/passive/passive_parameters.h"
#include "model/states/detection_probability_state.h"
#include "model/states/platform_type_distribution_state.h"

namespace ostrel {

namespace {
const char* const coast_owner = "PassivePlatformTypeSensorCoastUpdaterAndGater";

}  // namespace

const config::Schema<PassivePlatformTypeSensorCoastUpdaterAndGater::Parameters>&
PassivePlatformTypeSensorCoastUpdaterAndGater::schema() {
    using P = Parameters;
    static const auto schema =
        config::Schema<P>("passive_platform_type_sensor_coast_updater_and_gater",
                          "updates a track's platform-type belief on a coast pass of a passive sensor")
            .product(&P::filter, "filter", filter_form(), "the filter run after an accepted update", &make_filter_in)
            .required(&P::gate, "gate", "the probability at or below which the pass is rejected", infinity(),
                      threshold())
            .required(&P::broadcasting_platform_types, "broadcasting_platform_types",
                      "the platform types the sensor would have heard",
                      config::non_negative<int>().says("{element} holds a negative platform type: type = {value}"));
    return schema;
}

PassivePlatformTypeSensorCoastUpdaterAndGater::PassivePlatformTypeSensorCoastUpdaterAndGater(
    const Parameters& parameters)
    : inner_(schema().validate(parameters).filter),
      gate_(parameters.gate),
      broadcasting_(parameters.broadcasting_platform_types) {}

void PassivePlatformTypeSensorCoastUpdaterAndGater::update(const state::CompositeState& contact,
                                                           TrackState& track) const {
    const double pd = contact.get<snsr::DetectionProbabilityState>().detection_probability;
    nmrc::DynamicVector p = track.states.get<PlatformTypeDistributionState>().distribution;
    std::vector<bool> broadcasts(p.size(), false);
    for (int t : broadcasting_) {
        check_index(t, p.size(), "broadcasting platform type", "the platform-type belief", coast_owner);
        broadcasts[t] = true;
    }
    // p_t' = p_t q_t, q_t = 1 - Pd for a broadcasting type, else 1
    for (int t = 0; t < p.size(); ++t)
        if (broadcasts[t]) p[t] *= 1.0 - pd;
    const double e = total(p);
    if (!(e > 0.0) || -std::log(e) >= gate_) {
        track.gates = false;
        return;
    }
    track.log_likelihood += std::log(e);
    track.states.insert(std::make_shared<const PlatformTypeDistributionState>(divided(p, e)));
    if (track.gates) inner_->update(contact, track);
}

}  // namespace ostrel
