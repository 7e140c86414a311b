#pragma once
#include "model/state.h"
#include "pipeline/component.h"

namespace ipc {

// Registers every image component (TIFF readers and writers, segmentation,
// image operators, contact extraction) under its composed key, in the fixed
// order.
void register_image_components(cmpnt::ComponentFactory& factory);

// Registers "segment_image_state", "segment_image_3d_state" and
// "segment_id_state".
void register_image_states(state::StateFactory& factory);

}  // namespace ipc
