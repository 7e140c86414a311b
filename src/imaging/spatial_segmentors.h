#pragma once
#include <string>

#include "imaging/connected_regions.h"
#include "imaging/parameterless_algorithm.h"
#include "imaging/segment_image.h"
#include "imaging/segmented_image.h"
#include "imaging/type_words.h"
#include "util/counted_ptr.h"
#include "xml/querier.h"

namespace ipc {

// The spatial segmentors label the connected regions of equal value (4- or
// 6-connected). Each keeps its union-find table and scratch storage between
// frames, so a segmentor object is not re-entrant.

// Image -> its regions as a new SegmentImage.
template <class I, class Same>
class SpatialSegmentor : public ParameterlessAlgorithm<SpatialSegmentor<I, Same>> {
public:
    using Input = I;
    using Output = SegmentImage;
    static constexpr const char* schema_key = "spatial_segmentor";
    static constexpr const char* meaning = "numbers the 4-connected regions of equal value of each image";
    using ParameterlessAlgorithm<SpatialSegmentor<I, Same>>::ParameterlessAlgorithm;
    static std::string word() { return type_word<I>() + "_spatial_segmentor"; }

    util::CountedPtr<SegmentImage> apply(const util::CountedPtr<I>& image) {
        auto segmentation = std::make_shared<SegmentImage>();
        segmentation->number_of_segments =
            label_regions(*image, Same(), *segmentation, table_, first_pixel_, rank_);
        return segmentation;
    }

private:
    LabelEquivalences table_;
    std::vector<long long> first_pixel_;
    std::vector<int> rank_;
};

// Pair -> a new pair: the same source image with its regions as the new
// segmentation (the old segmentation is not consulted).
template <class I>
class SegmentedImageSpatialSegmentor : public ParameterlessAlgorithm<SegmentedImageSpatialSegmentor<I>> {
public:
    using Input = SegmentedImage<I>;
    using Output = SegmentedImage<I>;
    static constexpr const char* schema_key = "segmented_image_spatial_segmentor";
    static constexpr const char* meaning =
        "replaces the segmentation by the 4-connected regions of equal value of the image";
    using ParameterlessAlgorithm<SegmentedImageSpatialSegmentor<I>>::ParameterlessAlgorithm;
    static std::string word() { return type_word<SegmentedImage<I>>() + "_spatial_segmentor"; }

    util::CountedPtr<Output> apply(const util::CountedPtr<Input>& pair) {
        if (!pair->image) throw util::Exception("segmented image without image in " + word());
        auto segmentation = std::make_shared<SegmentImage>();
        segmentation->number_of_segments =
            label_regions(*pair->image, Equal<typename I::value_type>(), *segmentation, table_, first_pixel_, rank_);
        return std::make_shared<Output>(pair->image, std::move(segmentation));
    }

private:
    LabelEquivalences table_;
    std::vector<long long> first_pixel_;
    std::vector<int> rank_;
};

// 3-D image -> its 6-connected regions as a new SegmentImage3d.
template <class I, class Same>
class SpatialSegmentor3d : public ParameterlessAlgorithm<SpatialSegmentor3d<I, Same>> {
public:
    using Input = I;
    using Output = SegmentImage3d;
    static constexpr const char* schema_key = "spatial_segmentor_3d";
    static constexpr const char* meaning = "numbers the 6-connected regions of equal value of each stack";
    using ParameterlessAlgorithm<SpatialSegmentor3d<I, Same>>::ParameterlessAlgorithm;
    static std::string word() { return type_word<I>() + "_spatial_segmentor_3d"; }

    util::CountedPtr<SegmentImage3d> apply(const util::CountedPtr<I>& image) {
        auto segmentation = std::make_shared<SegmentImage3d>();
        segmentation->number_of_segments = label_regions_3d(*image, Same(), *segmentation, table_);
        return segmentation;
    }

private:
    LabelEquivalences table_;
};

// 3-D pair -> a new pair with the regions of the source image.
template <class I>
class SegmentedImage3dSpatialSegmentor3d : public ParameterlessAlgorithm<SegmentedImage3dSpatialSegmentor3d<I>> {
public:
    using Input = SegmentedImage3d<I>;
    using Output = SegmentedImage3d<I>;
    static constexpr const char* schema_key = "segmented_image_3d_spatial_segmentor_3d";
    static constexpr const char* meaning =
        "replaces the segmentation by the 6-connected regions of equal value of the stack";
    using ParameterlessAlgorithm<SegmentedImage3dSpatialSegmentor3d<I>>::ParameterlessAlgorithm;
    static std::string word() { return type_word<SegmentedImage3d<I>>() + "_spatial_segmentor_3d"; }

    util::CountedPtr<Output> apply(const util::CountedPtr<Input>& pair) {
        if (!pair->image) throw util::Exception("segmented image without image in " + word());
        auto segmentation = std::make_shared<SegmentImage3d>();
        segmentation->number_of_segments =
            label_regions_3d(*pair->image, Equal<typename I::value_type>(), *segmentation, table_);
        return std::make_shared<Output>(pair->image, std::move(segmentation));
    }

private:
    LabelEquivalences table_;
};

}  // namespace ipc
