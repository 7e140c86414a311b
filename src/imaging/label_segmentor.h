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

// Takes a label mask made by another segmenter (0 background, one value per
// cell) as the segmentation: value 0 becomes segment 0 and every distinct
// non-zero value one dense segment 1 ... n, in increasing order of value.
// Like the greyscale segmentor it overwrites the pair's segmentation in
// place. Two passes over the pixels and a lookup table of one entry per
// 16-bit value, kept between frames.
template <class I>
class SegmentedImageLabelSegmentor : public ParameterlessAlgorithm<SegmentedImageLabelSegmentor<I>> {
public:
    using Input = SegmentedImage<I>;
    using Output = SegmentedImage<I>;
    static constexpr const char* schema_key = "segmented_image_label_segmentor";
    static constexpr const char* meaning =
        "takes a label mask made by another program as the segmentation: each non-zero value is one cell";
    using ParameterlessAlgorithm<SegmentedImageLabelSegmentor<I>>::ParameterlessAlgorithm;
    static std::string word() { return type_word<SegmentedImage<I>>() + "_label_segmentor"; }

    util::CountedPtr<Output> apply(const util::CountedPtr<Input>& pair) {
        if (!pair->image || !pair->segmentation)
            throw util::Exception("incomplete segmented image in " + word());
        const I& image = *pair->image;
        SegmentImage& segmentation = *pair->segmentation;
        segmentation.resize(image.width(), image.height());

        // Pass 1: mark the values present.
        std::fill(segment_of_value_.begin(), segment_of_value_.end(), 0);
        for (auto value : image) segment_of_value_[value] = 1;
        // Dense numbers in increasing order of value; 0 stays segment 0.
        int segments = 0;
        segment_of_value_[0] = 0;
        for (std::size_t value = 1; value < segment_of_value_.size(); ++value)
            if (segment_of_value_[value] != 0) segment_of_value_[value] = ++segments;
        // Pass 2: write the segments.
        auto out = segmentation.begin();
        for (auto value : image) *out++ = segment_of_value_[value];
        segmentation.number_of_segments = segments + 1;
        return pair;
    }

private:
    std::vector<int> segment_of_value_ = std::vector<int>(65536, 0);
};

}  // namespace ipc
