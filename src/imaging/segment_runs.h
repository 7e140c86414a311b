#pragma once
#include <cstdint>
#include <vector>

#include "imaging/segment_image.h"

namespace ipc {

// A 2-D segmentation kept as its runs of equal non-zero labels, pixel after
// pixel in row-major order. The frames of a run carry their segmentation
// until the result writers have used it, a dozen frames later; a megapixel
// label image takes 4 MB, its runs for a few hundred nuclei some tens of
// kilobytes.
class SegmentRuns {
public:
    // The runs of `image`, or false (nothing made) when they would take
    // more than half the image's own storage, as for a segmentation cut
    // into specks.
    static bool encode(const SegmentImage& image, SegmentRuns& runs);

    int width() const { return width_; }
    int height() const { return height_; }
    int number_of_segments() const { return number_of_segments_; }

    // The segmentation again, exactly as encoded, into `out` (resized).
    void paint(SegmentImage& out) const;

    struct Run {
        std::uint32_t start;   // index of the first pixel
        std::uint32_t length;
        int label;
    };
    // In pixel order, none empty or overlapping another.
    const std::vector<Run>& runs() const { return runs_; }
    // The label of pixel `index` (row-major; 0 for background).
    int label_at(std::size_t index) const;

private:
    int width_ = 0, height_ = 0, number_of_segments_ = 0;
    std::vector<Run> runs_;
};

}  // namespace ipc
