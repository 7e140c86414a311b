#include "lineage/lineage_registry.h"

namespace lineage {

void register_lineage_components(cmpnt::ComponentFactory& /*factory*/) {}

}  // namespace lineage
