#include "pipeline/generic_stage_registry.h"

#include "config/declare.h"
#include "pipeline/component_chain.h"
#include "pipeline/frame_counter.h"
#include "pipeline/frame_writer.h"
#include "pipeline/pass_through.h"
#include "pipeline/splitter.h"

namespace cmpnt {

void register_generic_stages(ComponentFactory& f) {
    config::register_key<Component, ComponentChain>(f, "component_chain");
    config::register_key<Component, FrameCounter>(f, "frame_counter");
    config::register_key<Component, Splitter>(f, "splitter");
    config::register_key<Component, PassThrough>(f, "pass_through");
    config::register_key<Component, Terminator>(f, "terminator");
    config::register_key<Component, FrameWriter>(f, "frame_writer");
}

}  // namespace cmpnt
