#pragma once
#include <string>

#include "config/schema.h"
#include "imaging/grey_level_clustering.h"
#include "imaging/image.h"
#include "imaging/image_3d.h"
#include "imaging/segmented_image.h"
#include "imaging/type_words.h"
#include "util/counted_ptr.h"
#include "xml/querier.h"

namespace ipc {

// Splits a 16-bit image into foreground (label 1: value above the grey
// threshold) and background (label 0) by clustering its occupied grey levels
// into "number_of_colors" classes. Shared by the 2-D and 3-D segmentors.
class GreyscaleThresholder {
public:
    struct Parameters {
        int number_of_colors = 2;
    };
    static const config::Schema<Parameters>& schema();

    explicit GreyscaleThresholder(const Parameters& parameters);

    // The threshold of the pixels added since clear(); fails naming the
    // number of occupied levels, "number_of_colors" and the frame time when
    // there are fewer occupied levels than classes.
    void clear() { histogram_.clear(); }
    void add(const Image<unsigned short>& image) { histogram_.add(image.begin(), image.end()); }
    unsigned short threshold(double time) const;

    // labels = 1 where image > threshold, else 0.
    static void label(const Image<unsigned short>& image, unsigned short threshold, Image<int>& labels);

private:
    const int number_of_colors_;
    GreyHistogram histogram_;
};

// 2-D: the pair's segmentation is overwritten in place and the same pair is
// passed on.
template <class I>
class SegmentedImageGreyscaleSegmentor {
public:
    using Input = SegmentedImage<I>;
    using Output = SegmentedImage<I>;

    using Parameters = GreyscaleThresholder::Parameters;
    static const config::Schema<Parameters>& schema() { return GreyscaleThresholder::schema(); }
    explicit SegmentedImageGreyscaleSegmentor(const Parameters& parameters) : thresholder_(parameters) {}
    explicit SegmentedImageGreyscaleSegmentor(const xml::Querier& element)
        : SegmentedImageGreyscaleSegmentor(schema().bind(element)) {}
    static std::string word() { return type_word<SegmentedImage<I>>() + "_greyscale_segmentor"; }

    util::CountedPtr<Output> apply(const util::CountedPtr<Input>& pair, double time) {
        if (!pair->image || !pair->segmentation)
            throw util::Exception("incomplete segmented image in " + word());
        thresholder_.clear();
        thresholder_.add(*pair->image);
        const unsigned short threshold = thresholder_.threshold(time);
        GreyscaleThresholder::label(*pair->image, threshold, *pair->segmentation);
        pair->segmentation->number_of_segments = 2;
        return pair;
    }

private:
    GreyscaleThresholder thresholder_;
};

// 3-D: one threshold for all voxels of all slices; the pair's segmentation is
// sized to the image and overwritten in place.
template <class I>
class SegmentedImage3dGreyscaleSegmentor3d {
public:
    using Input = SegmentedImage3d<I>;
    using Output = SegmentedImage3d<I>;

    using Parameters = GreyscaleThresholder::Parameters;
    static const config::Schema<Parameters>& schema() { return GreyscaleThresholder::schema(); }
    explicit SegmentedImage3dGreyscaleSegmentor3d(const Parameters& parameters) : thresholder_(parameters) {}
    explicit SegmentedImage3dGreyscaleSegmentor3d(const xml::Querier& element)
        : SegmentedImage3dGreyscaleSegmentor3d(schema().bind(element)) {}
    // The established key has "_segmented_image" (not "_segmented_image_3d")
    // after the image word.
    static std::string word() { return type_word<I>() + "_segmented_image_greyscale_segmentor_3d"; }

    util::CountedPtr<Output> apply(const util::CountedPtr<Input>& pair, double time) {
        if (!pair->image || !pair->segmentation)
            throw util::Exception("incomplete segmented image in " + word());
        const I& image = *pair->image;
        thresholder_.clear();
        for (const auto& slice : image.slices()) thresholder_.add(slice);
        const unsigned short threshold = thresholder_.threshold(time);
        SegmentImage3d& segmentation = *pair->segmentation;
        segmentation.resize(image.width(), image.height(), image.depth());
        for (int z = 0; z < image.depth(); ++z)
            GreyscaleThresholder::label(image.slice(z), threshold, segmentation.slice(z));
        segmentation.number_of_segments = 2;
        return pair;
    }

private:
    GreyscaleThresholder thresholder_;
};

}  // namespace ipc
