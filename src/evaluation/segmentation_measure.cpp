#include "evaluation/segmentation_measure.h"

#include <limits>
#include <map>

namespace ctc {

void SegmentationScore::add(const FrameOverlap& overlap) {
    const std::map<Label, Pixels> computed_area(overlap.computed_areas.begin(), overlap.computed_areas.end());
    const std::map<Label, Pixels> reference_area(overlap.reference_areas.begin(), overlap.reference_areas.end());
    objects_ += static_cast<long long>(reference_area.size());
    for (const Intersection& shared : overlap.intersections) {
        const Pixels r = reference_area.at(shared.reference);
        if (2 * shared.pixels <= r) continue;
        // J = |R ∩ S| / (|R| + |S| - |R ∩ S|)
        const Pixels united = r + computed_area.at(shared.computed) - shared.pixels;
        sum_ += static_cast<double>(shared.pixels) / static_cast<double>(united);
    }
}

double SegmentationScore::mean() const {
    return objects_ ? sum_ / static_cast<double>(objects_) : std::numeric_limits<double>::quiet_NaN();
}

}  // namespace ctc
