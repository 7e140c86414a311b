#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "celltracking/track_lineage.h"
#include "imaging/image.h"
#include "imaging/image_3d.h"
#include "imaging/segment_image.h"

namespace isbi {

using Mask = ipc::Image<unsigned short>;
using Mask3d = ipc::Image3d<unsigned short>;

// The label mask of one frame: every pixel of a segment that a track took
// carries the track's output label (a later track wins on a shared
// segment), other pixels 0; then each coasting track marks the single pixel
// at its position rounded half away from zero, when that lies inside the
// image. labels[k] is the output label of tracks[k].
Mask paint_mask(const ipc::SegmentImage& segmentation, const std::vector<TrackSighting>& tracks,
                const std::vector<std::int32_t>& labels);
Mask3d paint_mask(const ipc::SegmentImage3d& segmentation, const std::vector<TrackSighting>& tracks,
                  const std::vector<std::int32_t>& labels);

// Writes a mask as a 16-bit greyscale TIFF (a 3-D mask one page per slice).
// A file that cannot be opened fails with "Unable to open file: " + name.
void write_mask(const std::string& name, const Mask& mask);
void write_mask(const std::string& name, const Mask3d& mask);

}  // namespace isbi
