#include "lineage/cell_shape.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "imaging/segment_features_state.h"
#include "imaging/segment_states.h"

namespace lineage {

double CellShape::elongation() const {
    return minor_axis > 0.0 ? major_axis / minor_axis : std::numeric_limits<double>::infinity();
}

SegmentShapes::SegmentShapes(const ipc::SegmentImage& segmentation)
    : moments_(static_cast<std::size_t>(std::max(segmentation.number_of_segments, 0))) {
    for (int y = 0; y < segmentation.height(); ++y)
        for (int x = 0; x < segmentation.width(); ++x) {
            const int id = segmentation(x, y);
            if (id < 0 || static_cast<std::size_t>(id) >= moments_.size()) continue;
            Moments& m = moments_[id];
            m.n += 1;
            m.x += x, m.y += y;
            m.xx += double(x) * x, m.xy += double(x) * y, m.yy += double(y) * y;
        }
}

std::optional<CellShape> SegmentShapes::shape(int id) const {
    if (id < 0 || static_cast<std::size_t>(id) >= moments_.size() || moments_[id].n == 0) return std::nullopt;
    const Moments& m = moments_[id];
    const double mx = m.x / m.n, my = m.y / m.n;
    // Central second moments: cxx = E[x^2] - E[x]^2, ...
    const double cxx = m.xx / m.n - mx * mx, cxy = m.xy / m.n - mx * my, cyy = m.yy / m.n - my * my;
    // l = (cxx + cyy) / 2 +- sqrt(((cxx - cyy) / 2)^2 + cxy^2)
    const double mean = 0.5 * (cxx + cyy);
    const double root = std::sqrt(0.25 * (cxx - cyy) * (cxx - cyy) + cxy * cxy);
    CellShape shape;
    shape.area = m.n;
    shape.major_axis = 4.0 * std::sqrt(std::max(mean + root, 0.0));
    shape.minor_axis = 4.0 * std::sqrt(std::max(mean - root, 0.0));
    shape.orientation = 0.5 * std::atan2(2.0 * cxy, cxx - cyy);
    return shape;
}

std::optional<CellShape> contact_shape(const state::CompositeState& contact, const SegmentShapes* shapes) {
    if (const auto features = contact.get_ptr<ipc::SegmentFeaturesState>()) {
        const auto& f = features->features;
        return CellShape{f.area, f.orientation, f.major_axis, f.minor_axis};
    }
    const auto segment = contact.get_ptr<ipc::SegmentIdState>();
    if (!segment || !shapes) return std::nullopt;
    return shapes->shape(segment->id);
}

}  // namespace lineage
