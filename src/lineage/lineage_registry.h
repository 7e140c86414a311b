#pragma once
#include "pipeline/component.h"

namespace lineage {

// Registers the components that decide divisions and close gaps between
// tracks, one line per key.
void register_lineage_components(cmpnt::ComponentFactory& factory);

}  // namespace lineage
