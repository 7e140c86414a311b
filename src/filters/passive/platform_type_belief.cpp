#include "filters/passive/platform_type_belief.h"

#include "filters/passive/passive_parameters.h"
#include "model/states/platform_type_distribution_state.h"

namespace ostrel {

nmrc::DynamicVector platform_type_belief(const state::CompositeState& track_states,
                                         const nmrc::DynamicVector& prior, int expected_length,
                                         const std::string& owner) {
    const auto held = track_states.get_ptr<PlatformTypeDistributionState>();
    const nmrc::DynamicVector& belief = held ? held->distribution : prior;
    check_same_length(belief.size(), "the platform-type belief", expected_length,
                      "the platform library", owner);
    return belief;
}

}  // namespace ostrel
