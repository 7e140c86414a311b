#pragma once
#include <string>
#include <vector>

#include "model/state.h"

namespace state {

struct StateKey {
    std::string key;
    StateFactory::Creator creator;
    // Declares the schema of the key's element, for --describe.
    void (*declare)(const std::string& key) = nullptr;
};

// Every state and contact key with its creator, in registration order: the
// track bookkeeping states first (beginning with "last_contact_time_state"),
// then kinematic, feature, sensor and platform states, contact kinds, fusion
// sensor and emission states, and the plotter, figure and colour states last.
const std::vector<StateKey>& state_keys();

// Registers state_keys() in order; a key already present prints the
// duplicate-key warning and keeps its first creator.
void register_states(StateFactory& factory);

}  // namespace state
