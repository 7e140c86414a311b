#include "celltracking/result_component_registry.h"

namespace isbi {

void register_result_components(cmpnt::ComponentFactory& /*factory*/) {}

}  // namespace isbi
