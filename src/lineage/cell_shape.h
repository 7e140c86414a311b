#pragma once
#include <optional>
#include <vector>

#include "imaging/segment_image.h"
#include "model/composite_state.h"

namespace lineage {

// The size and long axis of a segmented cell, as the division model weighs
// them: area in pixels, the long axis' angle from the x axis in radians and
// the full lengths of the ellipse with the segment's second moments.
struct CellShape {
    double area = 0.0;
    double orientation = 0.0;
    double major_axis = 0.0;
    double minor_axis = 0.0;

    // major / minor; a segment one pixel thin is taken as very long.
    double elongation() const;
};

// Shapes of every segment of a 2-D segmentation, from its pixel moments:
// with the covariance (cxx, cxy, cyy) of a segment's pixel coordinates and
// its eigenvalues l1 >= l2, major = 4 sqrt(l1), minor = 4 sqrt(l2) and
// orientation = atan2(2 cxy, cxx - cyy) / 2. Computed once per frame, when
// the first contact without segment features asks for it.
class SegmentShapes {
public:
    explicit SegmentShapes(const ipc::SegmentImage& segmentation);
    // The shape of segment `id`; none for an id outside the segmentation or
    // an empty segment.
    std::optional<CellShape> shape(int id) const;

private:
    struct Moments {
        double n = 0, x = 0, y = 0, xx = 0, xy = 0, yy = 0;
    };
    std::vector<Moments> moments_;
};

// The shape of a contact: its segment features when the contact converter
// measured them, else the moments of its segment in the frame's 2-D
// segmentation (when the frame has one), else none.
std::optional<CellShape> contact_shape(const state::CompositeState& contact, const SegmentShapes* shapes);

}  // namespace lineage
