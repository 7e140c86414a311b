#include "celltracking/result_component_registry.h"

#include "celltracking/picture_writers.h"
#include "util/factory.h"

namespace isbi {

void register_result_components(cmpnt::ComponentFactory& f) {
    using cmpnt::Component;
    using util::create;

    // Pictures of a result, behind isbi_frame_writer or isbi_frame_writer_3d.
    util::register_key(f, OverlayPngWriter::key(), &create<Component, OverlayPngWriter>);
    util::register_key(f, LineageSvgWriter::key(), &create<Component, LineageSvgWriter>);
}

}  // namespace isbi
