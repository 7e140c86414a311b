#pragma once
#include <string>

#include "model/composite_state.h"
#include "numerics/dynamic_vector.h"

namespace ostrel {

// The track's platform-type belief: its PlatformTypeDistributionState when it
// holds one, else `prior`. Its length must be `expected_length` (the number
// of platform types the operation knows), else the run ends naming both.
nmrc::DynamicVector platform_type_belief(const state::CompositeState& track_states,
                                         const nmrc::DynamicVector& prior, int expected_length,
                                         const std::string& owner);

}  // namespace ostrel
