#include "imaging/segment_runs.h"

#include <algorithm>
#include <limits>

#include "imaging/zero_runs.h"

namespace ipc {

bool SegmentRuns::encode(const SegmentImage& image, SegmentRuns& runs) {
    const std::size_t size = image.size();
    if (size > std::numeric_limits<std::uint32_t>::max()) return false;
    const std::size_t most = size * sizeof(int) / 2 / sizeof(Run);
    std::vector<Run> found;
    const int* pixels = image.data();
    std::size_t i = 0;
    while (i < size) {
        // Most of a frame is background, passed over in blocks.
        i = static_cast<std::size_t>(
            skip_zero_blocks(pixels, static_cast<std::int64_t>(i), static_cast<std::int64_t>(size)));
        if (i == size) break;
        if (pixels[i] == 0) {
            ++i;
            continue;
        }
        const int label = pixels[i];
        const std::size_t start = i;
        while (i < size && pixels[i] == label) ++i;
        if (found.size() == most) return false;
        found.push_back({static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(i - start), label});
    }
    runs.width_ = image.width();
    runs.height_ = image.height();
    runs.number_of_segments_ = image.number_of_segments;
    runs.runs_ = std::move(found);
    runs.runs_.shrink_to_fit();
    return true;
}

void SegmentRuns::paint(SegmentImage& out) const {
    out.resize(width_, height_);
    std::fill(out.begin(), out.end(), 0);
    int* pixels = out.data();
    for (const Run& run : runs_) std::fill_n(pixels + run.start, run.length, run.label);
    out.number_of_segments = number_of_segments_;
}

int SegmentRuns::label_at(std::size_t index) const {
    // The last run starting at or before the pixel.
    auto after = std::upper_bound(runs_.begin(), runs_.end(), index,
                                  [](std::size_t i, const Run& run) { return i < run.start; });
    if (after == runs_.begin()) return 0;
    const Run& run = *(after - 1);
    return index - run.start < run.length ? run.label : 0;
}

}  // namespace ipc
