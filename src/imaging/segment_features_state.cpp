#include "imaging/segment_features_state.h"

#include "xml/out_stream.h"
#include "xml/querier.h"

namespace ipc {

const config::Schema<SegmentFeaturesState::Features>& SegmentFeaturesState::schema() {
    using F = Features;
    // Read as written: the converters measure them, a reader checks nothing.
    static const auto schema =
        config::Schema<F>(key(), "size, brightness and shape of the segment a contact came from")
            .required(&F::area, "area", "pixels (voxels in 3-D)")
            .required(&F::mean_intensity, "mean_intensity", "mean source grey value over the segment")
            .required(&F::total_intensity, "total_intensity", "sum of the source grey values")
            .required(&F::orientation, "orientation", "major axis angle from the x axis, radians")
            .required(&F::major_axis, "major_axis", "full major axis length, pixels")
            .required(&F::minor_axis, "minor_axis", "full minor axis length, pixels")
            .required(&F::elongation, "elongation", "major / minor");
    return schema;
}

void SegmentFeaturesState::write(xml::OutStream& out) const {
    out.tag(key())
        .element("area", features.area)
        .element("mean_intensity", features.mean_intensity)
        .element("total_intensity", features.total_intensity)
        .element("orientation", features.orientation)
        .element("major_axis", features.major_axis)
        .element("minor_axis", features.minor_axis)
        .element("elongation", features.elongation)
        .end_tag();
}

}  // namespace ipc
