#pragma once
#include <string>

namespace state {

// Dimension-specific keys end in the digit of the dimension and "d":
// dimension_key("position_state_", 2) is "position_state_2d".
inline std::string dimension_key(const std::string& prefix, int n) {
    return prefix + std::to_string(n) + "d";
}

}  // namespace state
