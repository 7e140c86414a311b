#pragma once
#include <cstdint>

#include "imaging/segment_features_state.h"

namespace ipc {

// Raw sums over one segment's pixels (x = column, y = row): the pixel count,
// the coordinate sums and second-order sums, and the sum of the source
// values. A 3-D segment contributes its voxels' x and y, so its shape is that
// of its projection on the x-y plane.
struct PlaneSums {
    std::int64_t count = 0;
    std::int64_t x = 0, y = 0;
    std::int64_t xx = 0, xy = 0, yy = 0;
    std::int64_t value = 0;
};

// Size, brightness and shape of a segment from its sums (see
// SegmentFeaturesState for the conventions). Each pixel counts as a unit
// square, which adds 1/12 to both coordinate variances: a single pixel gets
// axes of 4 sqrt(1/12) = 1.15 pixels instead of 0, and a one-pixel-wide line
// a finite elongation. Needs count > 0.
SegmentFeaturesState::Features segment_features(const PlaneSums& sums);

// Variance given to a measured segment size (area or volume) A in the
// SegmentSizeState of a contact: A itself, a standard deviation of sqrt(A).
// A threshold that moves a disc's boundary by about 0.3 pixels changes its
// area by 2 sqrt(pi A) * 0.3 = sqrt(A), the frame-to-frame jitter
// segmentation shows on noisy nuclei.
inline double segment_size_variance(double size) { return size; }

}  // namespace ipc
