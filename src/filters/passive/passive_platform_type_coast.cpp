#include "filters/passive/passive_platform_type_coast.h"

#include <cmath>

#include "filters/filter_parameters.h"
#include "filters/passive/discrete_belief.h"
#include "filters/passive/passive_parameters.h"
#include "model/states/detection_probability_state.h"
#include "model/states/platform_type_distribution_state.h"

namespace ostrel {

namespace {
const char* const owner = "PassivePlatformTypeSensorCoastUpdaterAndGater";

std::vector<int> read_broadcasting(const xml::Querier& querier) {
    std::vector<int> types = read_index_list(querier.tag("broadcasting_platform_types"));
    for (int t : types)
        if (t < 0)
            throw util::Exception(
                "broadcasting_platform_types holds a negative platform type: type = " +
                std::to_string(t));
    return types;
}
}  // namespace

PassivePlatformTypeSensorCoastUpdaterAndGater::PassivePlatformTypeSensorCoastUpdaterAndGater(
    const xml::Querier& querier)
    : inner_(make_filter_in(querier.tag("filter"))),
      gate_(read_threshold(querier, "gate")),
      broadcasting_(read_broadcasting(querier)) {}

void PassivePlatformTypeSensorCoastUpdaterAndGater::update(const state::CompositeState& contact,
                                                           TrackState& track) const {
    const double pd = contact.get<snsr::DetectionProbabilityState>().detection_probability;
    nmrc::DynamicVector p = track.states.get<PlatformTypeDistributionState>().distribution;
    std::vector<bool> broadcasts(p.size(), false);
    for (int t : broadcasting_) {
        check_index(t, p.size(), "broadcasting platform type", "the platform-type belief", owner);
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
