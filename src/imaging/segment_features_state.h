#pragma once
#include "config/schema.h"
#include "model/state.h"

namespace ipc {

// Size, brightness and shape of the segment a contact came from, measured by
// the contact converters. Key "segment_features_state"; each field is a child
// element of the same name.
//
// Shape comes from the segment's second central moments (the covariance of its
// pixel coordinates): the major and minor axes are the full lengths of the
// ellipse with the same moments, 4 sqrt(lambda) for the eigenvalues lambda;
// orientation is the major axis' angle from the x axis (column direction,
// towards increasing rows) in radians, in (-pi/2, pi/2]. A 3-D segment's shape
// is that of its projection on the x-y plane.
class SegmentFeaturesState : public state::StateTemplate<SegmentFeaturesState> {
public:
    static const char* key() { return "segment_features_state"; }

    struct Features {
        double area = 0.0;             // pixels (voxels in 3-D)
        double mean_intensity = 0.0;   // over the segment, in source grey values
        double total_intensity = 0.0;  // sum of the source grey values
        double orientation = 0.0;      // radians
        double major_axis = 0.0;       // pixels
        double minor_axis = 0.0;       // pixels
        double elongation = 1.0;       // major / minor (1 for a disc)
    };

    explicit SegmentFeaturesState(const Features& features) : features(features) {}
    static const config::Schema<Features>& schema();

    explicit SegmentFeaturesState(const xml::Querier& querier) : features(schema().bind(querier)) {}
    void write(xml::OutStream& out) const override;

    const Features features;
};

}  // namespace ipc
