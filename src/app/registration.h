#pragma once

namespace app {

// Fills every factory family, in the fixed start-up order: components,
// filters, frames, states, simulators, footprints (1-D, 2-D, 3-D), uniform
// footprints (1-D, 2-D, 3-D). Runs once; later calls do nothing.
void register_all();

void register_components();
void register_filters();
void register_frames();
void register_states();
void register_simulators();
void register_footprints();
void register_uniform_footprints();

}  // namespace app
