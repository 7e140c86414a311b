#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "celltracking/track_lineage.h"
#include "imaging/image.h"
#include "imaging/image_3d.h"
#include "imaging/segment_image.h"
#include "imaging/segment_runs.h"
#include "imaging/tiff_page_writer.h"

namespace isbi {

using Mask = ipc::Image<unsigned short>;
using Mask3d = ipc::Image3d<unsigned short>;

// Which tracks hold at least one pixel of the frame's mask as paint_mask
// paints it: a track on a segment that no later track takes, and that the
// pixels of coasting tracks do not cover entirely; a coasting track whose
// pixel lies inside the image and no later coasting track marks. Throws
// util::Exception for a contact naming a segment the segmentation lacks.
std::vector<bool> marked_tracks(const ipc::SegmentImage& segmentation, const std::vector<TrackSighting>& tracks);
std::vector<bool> marked_tracks(const ipc::SegmentImage3d& segmentation, const std::vector<TrackSighting>& tracks);
// The same from a segmentation's runs, without painting it.
std::vector<bool> marked_tracks(const ipc::SegmentRuns& segmentation, const std::vector<TrackSighting>& tracks);

// The label mask of one frame: every pixel of a segment that a track took
// carries the track's output label (a later track wins on a shared
// segment), other pixels 0; then each coasting track marks the single pixel
// at its position rounded half away from zero, when that lies inside the
// image. labels[k] is the output label of tracks[k]; a track labelled 0
// (not marked in this frame) paints nothing.
Mask paint_mask(const ipc::SegmentImage& segmentation, const std::vector<TrackSighting>& tracks,
                const std::vector<std::int32_t>& labels);
Mask3d paint_mask(const ipc::SegmentImage3d& segmentation, const std::vector<TrackSighting>& tracks,
                  const std::vector<std::int32_t>& labels);
// The same mask from a segmentation's runs.
Mask paint_mask(const ipc::SegmentRuns& segmentation, const std::vector<TrackSighting>& tracks,
                const std::vector<std::int32_t>& labels);

// Writes a mask as a 16-bit greyscale TIFF (a 3-D mask one page per slice).
// A file that cannot be opened fails with "Unable to open file: " + name.
void write_mask(const std::string& name, const Mask& mask,
                ipc::TiffCompression compression = ipc::TiffCompression::lzw);
void write_mask(const std::string& name, const Mask3d& mask,
                ipc::TiffCompression compression = ipc::TiffCompression::lzw);

}  // namespace isbi
