#include "imaging/segment_features_state.h"

#include "xml/out_stream.h"
#include "xml/querier.h"

namespace ipc {

namespace {
SegmentFeaturesState::Features read_features(const xml::Querier& querier) {
    SegmentFeaturesState::Features f;
    querier.read("area", f.area);
    querier.read("mean_intensity", f.mean_intensity);
    querier.read("total_intensity", f.total_intensity);
    querier.read("orientation", f.orientation);
    querier.read("major_axis", f.major_axis);
    querier.read("minor_axis", f.minor_axis);
    querier.read("elongation", f.elongation);
    return f;
}
}  // namespace

SegmentFeaturesState::SegmentFeaturesState(const xml::Querier& querier) : features(read_features(querier)) {}

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
