#include "pipeline/frame_stage_registry.h"

#include "pipeline/frame_counter.h"
#include "pipeline/frame_reader.h"
#include "pipeline/frame_writer.h"

namespace cmpnt {

void register_frame_stages(ComponentFactory& factory) {
    util::register_key(factory, "frame_counter", &util::create<Component, FrameCounter>);
    util::register_key(factory, "frame_writer", &util::create<Component, FrameWriter>);
    util::register_key(factory, "frame_reader", &util::create<Component, FrameReader>);
}

}  // namespace cmpnt
