#pragma once
#include <string>
#include <algorithm>
#include <vector>

#include "config/schema.h"
#include "imaging/object_segmenter.h"
#include "imaging/segmented_image.h"
#include "imaging/type_words.h"
#include "util/counted_ptr.h"
#include "xml/querier.h"

namespace ipc {

// The optional parameters of the object segmentors (see ObjectSegmenter):
// "fill_holes" ("true" or "false", default true), "minimum_size" (pixels or
// voxels, 0 .. 2^31 - 1, default 0), "seed_distance" (pixels, 0 .. 65535,
// default 0: no splitting), "neck_ratio" (above 0 and at most 1, default
// 0.7), "maximum_size" (pixels or voxels, 0 .. 2^31 - 1, default 0: no
// limit) and "relative_threshold" (0 .. 1, default 0: off; compares the
// pair's image). One schema serves the 2-D and the 3-D key.
const config::Schema<ObjectSegmentationParameters>& object_segmentation_schema();

// Turns the pair's foreground mask (any positive label, e.g. the threshold
// segmentor's 1) into numbered objects: background 0, objects 1 .. N,
// number_of_segments N + 1, in place; the same pair is passed on. Key
// "short_image_segmented_image_object_segmentor_algorithm_component".
template <class I>
class SegmentedImageObjectSegmentor {
public:
    using Input = SegmentedImage<I>;
    using Output = SegmentedImage<I>;

    using Parameters = ObjectSegmentationParameters;
    static const config::Schema<Parameters>& schema() { return object_segmentation_schema(); }
    explicit SegmentedImageObjectSegmentor(const Parameters& parameters) : segmenter_(schema().validate(parameters)) {}
    explicit SegmentedImageObjectSegmentor(const xml::Querier& element)
        : SegmentedImageObjectSegmentor(schema().bind(element)) {}
    static std::string word() { return type_word<SegmentedImage<I>>() + "_object_segmentor"; }

    util::CountedPtr<Output> apply(const util::CountedPtr<Input>& pair) {
        if (!pair->segmentation) throw util::Exception("incomplete segmented image in " + word());
        SegmentImage& labels = *pair->segmentation;
        const I* image = pair->image.get();
        if (image && !image->same_size(labels))
            throw util::Exception("segmentation size differs from image size in " + word());
        labels.number_of_segments =
            1 + segmenter_.segment(labels.data(), labels.width(), labels.height(), 1, image ? image->data() : nullptr);
        return pair;
    }

    const ObjectSegmenter& segmenter() const { return segmenter_; }

private:
    ObjectSegmenter segmenter_;
};

// The same for stacks, with 6-connected objects and 3-D holes, distances
// and seeds. Key
// "short_image_3d_segmented_image_3d_object_segmentor_3d_algorithm_component".
template <class I>
class SegmentedImage3dObjectSegmentor3d {
public:
    using Input = SegmentedImage3d<I>;
    using Output = SegmentedImage3d<I>;

    using Parameters = ObjectSegmentationParameters;
    static const config::Schema<Parameters>& schema() { return object_segmentation_schema(); }
    explicit SegmentedImage3dObjectSegmentor3d(const Parameters& parameters)
        : segmenter_(schema().validate(parameters)) {}
    explicit SegmentedImage3dObjectSegmentor3d(const xml::Querier& element)
        : SegmentedImage3dObjectSegmentor3d(schema().bind(element)) {}
    static std::string word() { return type_word<SegmentedImage3d<I>>() + "_object_segmentor_3d"; }

    util::CountedPtr<Output> apply(const util::CountedPtr<Input>& pair) {
        if (!pair->segmentation) throw util::Exception("incomplete segmented image in " + word());
        SegmentImage3d& labels = *pair->segmentation;
        // The segmenter works on one contiguous volume.
        const I* image = pair->image.get();
        if (image && !image->same_size(labels))
            throw util::Exception("segmentation size differs from image size in " + word());
        const std::size_t plane = static_cast<std::size_t>(labels.width()) * labels.height();
        volume_.resize(plane * labels.depth());
        for (int z = 0; z < labels.depth(); ++z)
            std::copy(labels.slice(z).begin(), labels.slice(z).end(), volume_.begin() + z * plane);
        if (image) {
            intensity_.resize(plane * labels.depth());
            for (int z = 0; z < labels.depth(); ++z)
                std::copy(image->slice(z).begin(), image->slice(z).end(), intensity_.begin() + z * plane);
        }
        const int objects = segmenter_.segment(volume_.data(), labels.width(), labels.height(), labels.depth(),
                                               image ? intensity_.data() : nullptr);
        for (int z = 0; z < labels.depth(); ++z)
            std::copy(volume_.begin() + z * plane, volume_.begin() + (z + 1) * plane, labels.slice(z).begin());
        labels.number_of_segments = 1 + objects;
        return pair;
    }

private:
    ObjectSegmenter segmenter_;
    std::vector<int> volume_;
    std::vector<unsigned short> intensity_;
};

}  // namespace ipc
