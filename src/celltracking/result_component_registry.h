#pragma once
#include "pipeline/component.h"

namespace isbi {

// Registers the result components added after the original catalogue
// (tables, pictures and other writers of tracking results), one line per key.
void register_result_components(cmpnt::ComponentFactory& factory);

}  // namespace isbi
