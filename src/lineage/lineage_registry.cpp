#include "lineage/lineage_registry.h"

#include "lineage/lineage_linker.h"

namespace lineage {

void register_lineage_components(cmpnt::ComponentFactory& factory) {
    using cmpnt::Component;
    using util::create;
    // Divisions and gaps decided after the tracker, by one assignment per window.
    util::register_key(factory, LineageLinker::key(), &create<Component, LineageLinker>);
    util::register_key(factory, LineageLinker3d::key(), &create<Component, LineageLinker3d>);
}

}  // namespace lineage
