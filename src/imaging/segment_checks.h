#pragma once
#include "imaging/segment_image.h"

namespace ipc {

// A segmentation must match its image and hold only labels in
// 0 .. number_of_segments - 1; per-segment tables are indexed by label, so
// anything else is rejected before they are filled. One pass over the labels.
void check_segmentation(const SegmentImage& segmentation, int width, int height);
void check_segmentation(const SegmentImage3d& segmentation, int width, int height, int depth);

}  // namespace ipc
