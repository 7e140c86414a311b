#pragma once
#include "imaging/segment_image.h"
#include "util/counted_ptr.h"

namespace ipc {

// An image together with its segmentation; both are shared, never copied,
// when the pair travels between algorithms.
template <class I>
struct SegmentedImage {
    using ImageType = I;
    using Segmentation = SegmentImage;

    SegmentedImage(util::CountedPtr<I> image, util::CountedPtr<SegmentImage> segmentation)
        : image(std::move(image)), segmentation(std::move(segmentation)) {}

    util::CountedPtr<I> image;
    util::CountedPtr<SegmentImage> segmentation;
};

// The same pair for 3-D images.
template <class I>
struct SegmentedImage3d {
    using ImageType = I;
    using Segmentation = SegmentImage3d;

    SegmentedImage3d(util::CountedPtr<I> image, util::CountedPtr<SegmentImage3d> segmentation)
        : image(std::move(image)), segmentation(std::move(segmentation)) {}

    util::CountedPtr<I> image;
    util::CountedPtr<SegmentImage3d> segmentation;
};

}  // namespace ipc
