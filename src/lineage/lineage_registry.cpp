#include "lineage/lineage_registry.h"

#include "config/declare.h"
#include "lineage/lineage_linker.h"

namespace lineage {

void register_lineage_components(cmpnt::ComponentFactory& factory) {
    using cmpnt::Component;
    // Divisions and gaps decided after the tracker, by one assignment per window.
    config::register_key<Component, LineageLinker>(factory, LineageLinker::key());
    config::register_key<Component, LineageLinker3d>(factory, LineageLinker3d::key());
}

}  // namespace lineage
