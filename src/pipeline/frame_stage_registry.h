#pragma once
#include "pipeline/component.h"

namespace cmpnt {

// Registers the frame stages, in this order: "frame_counter" (FrameCounter),
// "frame_writer" (FrameWriter), "frame_reader" (FrameReader). A duplicate key
// prints the factory warning and keeps the earlier creator.
void register_frame_stages(ComponentFactory& factory);

}  // namespace cmpnt
