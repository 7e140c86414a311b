#pragma once
#include <string>
#include <vector>

#include "imaging/image.h"
#include "imaging/parameterless_algorithm.h"
#include "imaging/segmented_image.h"
#include "imaging/type_words.h"
#include "util/counted_ptr.h"
#include "xml/querier.h"

namespace ipc {

// Per segment: its mean source value rounded half away from zero, or no
// value when the segment has no pixels. Fails when the segmentation does not
// match the image or holds a label outside 0 .. number_of_segments - 1.
struct SegmentMeans {
    std::vector<long long> value;
    std::vector<bool> present;
};
SegmentMeans segment_means(const Image<unsigned short>& image, const SegmentImage& segmentation);

// Every pixel becomes its segment's rounded mean (low 16 bits).
Image<unsigned short> project_segments(const Image<unsigned short>& image, const SegmentImage& segmentation);

// Every pixel becomes the rank of its segment's rounded mean among the
// distinct means of the image (0 for the darkest); equal means share a rank.
Image<unsigned short> order_segments(const Image<unsigned short>& image, const SegmentImage& segmentation);

template <class I>
class SegmentedToProjectedConverter : public ParameterlessAlgorithm<SegmentedToProjectedConverter<I>> {
public:
    using Input = SegmentedImage<I>;
    using Output = Image<unsigned short>;
    static constexpr const char* schema_key = "segmented_to_projected_converter";
    static constexpr const char* meaning = "paints every pixel with the rounded mean intensity of its segment";
    using ParameterlessAlgorithm<SegmentedToProjectedConverter<I>>::ParameterlessAlgorithm;
    static std::string word() { return type_word<I>() + "_segmented_to_projected_converter"; }

    util::CountedPtr<Output> apply(const util::CountedPtr<Input>& pair) const {
        if (!pair->image || !pair->segmentation)
            throw util::Exception("incomplete segmented image in " + word());
        return std::make_shared<Output>(project_segments(*pair->image, *pair->segmentation));
    }
};

template <class I>
class SegmentedToOrderedConverter : public ParameterlessAlgorithm<SegmentedToOrderedConverter<I>> {
public:
    using Input = SegmentedImage<I>;
    using Output = Image<unsigned short>;
    static constexpr const char* schema_key = "segmented_to_ordered_converter";
    static constexpr const char* meaning =
        "paints every pixel with the rank of its segment's mean intensity (0 for the darkest)";
    using ParameterlessAlgorithm<SegmentedToOrderedConverter<I>>::ParameterlessAlgorithm;
    static std::string word() { return type_word<I>() + "_segmented_to_ordered_converter"; }

    util::CountedPtr<Output> apply(const util::CountedPtr<Input>& pair) const {
        if (!pair->image || !pair->segmentation)
            throw util::Exception("incomplete segmented image in " + word());
        return std::make_shared<Output>(order_segments(*pair->image, *pair->segmentation));
    }
};

}  // namespace ipc
