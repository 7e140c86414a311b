#include "imaging/segment_checks.h"

#include <string>

#include "util/exception.h"

namespace ipc {

namespace {

void check_labels(const Image<int>& labels, int segments) {
    for (int label : labels)
        if (label < 0 || label >= segments)
            throw util::Exception("segment label out of range, label = " + std::to_string(label) +
                                  ", number_of_segments = " + std::to_string(segments));
}

std::string size_text(int width, int height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

}  // namespace

void check_segmentation(const SegmentImage& segmentation, int width, int height) {
    if (!segmentation.same_size(width, height))
        throw util::Exception("segmentation size " + size_text(segmentation.width(), segmentation.height()) +
                              " differs from image size " + size_text(width, height));
    check_labels(segmentation, segmentation.number_of_segments);
}

void check_segmentation(const SegmentImage3d& segmentation, int width, int height, int depth) {
    if (segmentation.width() != width || segmentation.height() != height || segmentation.depth() != depth)
        throw util::Exception("segmentation size " + size_text(segmentation.width(), segmentation.height()) +
                              " x " + std::to_string(segmentation.depth()) + " differs from image size " +
                              size_text(width, height) + " x " + std::to_string(depth));
    for (const Image<int>& slice : segmentation.slices()) check_labels(slice, segmentation.number_of_segments);
}

}  // namespace ipc
