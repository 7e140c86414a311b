#pragma once
#include <vector>

#include "filters/filter_registry.h"

namespace ostrel {

// The passive-sensor and platform filter keys with their creators, in
// registration order (from "spherical_position_velocity_initializer" to
// "passive_platform_type_sensor_coast_updater_and_gater").
// "spherical_position_velocity_initializer" and
// "radar_position_velocity_initializer" share one creator.
const std::vector<FilterKey>& passive_filter_keys();

// Registers passive_filter_keys() in order; a key already present prints the
// duplicate-key warning and keeps its first creator.
void register_passive_filters(FilterFactory& factory);

}  // namespace ostrel
