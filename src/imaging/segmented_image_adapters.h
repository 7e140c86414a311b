#pragma once
#include <string>

#include "imaging/parameterless_algorithm.h"
#include "imaging/segment_image.h"
#include "imaging/segmented_image.h"
#include "imaging/reusable_image.h"
#include "imaging/type_words.h"
#include "util/counted_ptr.h"
#include "xml/querier.h"

namespace ipc {

// Starts a segmentation: pairs the image (shared) with a label image of its
// size, every label 0, one segment.
template <class I>
class SegmentedImageInitializer : public ParameterlessAlgorithm<SegmentedImageInitializer<I>> {
public:
    using Input = I;
    using Output = SegmentedImage<I>;
    static constexpr const char* schema_key = "segmented_image_initializer";
    static constexpr const char* meaning =
        "pairs each image with an empty segmentation of its size (every label 0, one segment)";
    using ParameterlessAlgorithm<SegmentedImageInitializer<I>>::ParameterlessAlgorithm;
    static std::string word() { return type_word<SegmentedImage<I>>() + "_initializer"; }

    util::CountedPtr<Output> apply(const util::CountedPtr<I>& image) {
        auto segmentation = segmentation_.next();
        // A new array comes zeroed; a reused one is cleared.
        const bool reused = segmentation->size() == image->size();
        segmentation->resize(image->width(), image->height());
        if (reused) segmentation->fill(0);
        segmentation->number_of_segments = 1;
        return std::make_shared<Output>(image, std::move(segmentation));
    }

private:
    ReusableImage<SegmentImage> segmentation_;
};

// The 3-D start: a placeholder label image of the image's width and height
// with no slices, one segment; the 3-D segmentors size it before writing.
template <class I>
class SegmentedImage3dInitializer : public ParameterlessAlgorithm<SegmentedImage3dInitializer<I>> {
public:
    using Input = I;
    using Output = SegmentedImage3d<I>;
    static constexpr const char* schema_key = "segmented_image_3d_initializer";
    static constexpr const char* meaning =
        "pairs each stack with an empty segmentation of its width and height (one "
        "segment), sized by the 3-D segmentor that follows";
    using ParameterlessAlgorithm<SegmentedImage3dInitializer<I>>::ParameterlessAlgorithm;
    static std::string word() { return type_word<SegmentedImage3d<I>>() + "_initializer"; }

    util::CountedPtr<Output> apply(const util::CountedPtr<I>& image) const {
        auto segmentation = std::make_shared<SegmentImage3d>(image->width(), image->height(), 0);
        segmentation->number_of_segments = 1;
        return std::make_shared<Output>(image, std::move(segmentation));
    }
};

// Ends a segmentation: the pair's label image (shared, not copied).
template <class I>
class SegmentedImageToSegmentImageConverter : public ParameterlessAlgorithm<SegmentedImageToSegmentImageConverter<I>> {
public:
    using Input = SegmentedImage<I>;
    using Output = SegmentImage;
    static constexpr const char* schema_key = "segmented_image_to_segment_image_converter";
    static constexpr const char* meaning = "passes on the segmentation of each image paired with one";
    using ParameterlessAlgorithm<SegmentedImageToSegmentImageConverter<I>>::ParameterlessAlgorithm;
    static std::string word() {
        return type_word<SegmentedImage<I>>() + "_to_" + type_word<SegmentImage>() + "_converter";
    }

    util::CountedPtr<SegmentImage> apply(const util::CountedPtr<Input>& pair) const {
        if (!pair->segmentation) throw util::Exception("segmented image without segmentation in " + word());
        return pair->segmentation;
    }
};

template <class I>
class SegmentedImage3dToSegmentImage3dConverter
    : public ParameterlessAlgorithm<SegmentedImage3dToSegmentImage3dConverter<I>> {
public:
    using Input = SegmentedImage3d<I>;
    using Output = SegmentImage3d;
    static constexpr const char* schema_key = "segmented_image_3d_to_segment_image_3d_converter";
    static constexpr const char* meaning = "passes on the segmentation of each stack paired with one";
    using ParameterlessAlgorithm<SegmentedImage3dToSegmentImage3dConverter<I>>::ParameterlessAlgorithm;
    static std::string word() {
        return type_word<SegmentedImage3d<I>>() + "_to_" + type_word<SegmentImage3d>() + "_converter";
    }

    util::CountedPtr<SegmentImage3d> apply(const util::CountedPtr<Input>& pair) const {
        if (!pair->segmentation) throw util::Exception("segmented image without segmentation in " + word());
        return pair->segmentation;
    }
};

}  // namespace ipc
