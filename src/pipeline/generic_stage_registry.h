#pragma once
#include "pipeline/component.h"

namespace cmpnt {

// Registers the generic stages ("component_chain", "frame_counter",
// "splitter", "pass_through", "terminator", "frame_writer"), one line per
// key, and declares their parameter schemas.
void register_generic_stages(ComponentFactory& factory);

}  // namespace cmpnt
