#include "celltracking/result_component_registry.h"

#include "celltracking/picture_writers.h"
#include "config/declare.h"

namespace isbi {

void register_result_components(cmpnt::ComponentFactory& f) {
    using cmpnt::Component;

    // Pictures of a result, behind isbi_frame_writer or isbi_frame_writer_3d.
    config::register_key<Component, OverlayPngWriter>(f, OverlayPngWriter::key());
    config::register_key<Component, LineageSvgWriter>(f, LineageSvgWriter::key());
}

}  // namespace isbi
