#pragma once
#include <vector>

#include "filters/filter_registry.h"

namespace ostrel {

// The feature filter keys with their creators, in registration order (from
// "rgb_color_initializer" to "ou_gaussian_feature_vector_state_predictor").
const std::vector<FilterKey>& feature_filter_keys();

// Registers feature_filter_keys() in order; a key already present prints the
// duplicate-key warning and keeps its first creator.
void register_feature_filters(FilterFactory& factory);

}  // namespace ostrel
