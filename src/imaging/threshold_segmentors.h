#pragma once
#include <string>
#include <vector>

#include "config/schema.h"
#include "imaging/grey_level_clustering.h"
#include "imaging/hysteresis.h"
#include "imaging/image.h"
#include "imaging/image_3d.h"
#include "imaging/segmented_image.h"
#include "imaging/threshold_methods.h"
#include "imaging/type_words.h"
#include "util/counted_ptr.h"
#include "xml/querier.h"

namespace ipc {

// The foreground threshold of a 16-bit image: the value of "method"
// ("otsu" by default, "triangle", "li" or "fixed"; see threshold_methods.h),
// computed from the histogram of the pixels added since clear(), then
// scaled as factor * t + offset and rounded into 0 .. 65535. "threshold"
// (0 .. 65535) is the value of the fixed method and is refused with the
// others; "factor" (optional, 0 .. 1000, default 1) and "offset" (optional,
// -65535 .. 65535, default 0) adjust an automatic threshold, e.g. a factor
// of 0.5 takes in dimmer nuclei than Otsu alone. "hysteresis" (optional,
// 1 .. 1000, default 1: off) keeps a region above the threshold t only when
// it holds a pixel above hysteresis * t: blurred noise that barely crosses
// a low threshold (as the triangle method's can be) stays background.
class AutomaticThreshold {
public:
    struct Parameters {
        ThresholdMethod method = ThresholdMethod::otsu;
        double threshold = -1;  // the fixed method's value; -1: not given
        double factor = 1;
        double offset = 0;
        double hysteresis = 1;
    };
    static const config::Schema<Parameters>& schema();

    explicit AutomaticThreshold(const Parameters& parameters) : p_(schema().validate(parameters)) {}

    void clear() { histogram_.clear(); }
    void add(const Image<unsigned short>& image) { histogram_.add(image.begin(), image.end()); }
    unsigned short threshold() const;
    // Labels the slices (one for an image) with 1 where foreground, else 0.
    void label(const std::vector<const unsigned short*>& image, const std::vector<int*>& labels, int width,
               int height);

    ThresholdMethod method() const { return p_.method; }

private:
    const Parameters p_;
    GreyHistogram histogram_;
    Hysteresis regions_;
};

// 2-D: label 1 where the pair's image is above the threshold, 0 elsewhere
// (number_of_segments 2), in the pair's segmentation, and pass the same
// pair on. Key "short_image_segmented_image_threshold_segmentor_algorithm_component".
template <class I>
class SegmentedImageThresholdSegmentor {
public:
    using Input = SegmentedImage<I>;
    using Output = SegmentedImage<I>;

    using Parameters = AutomaticThreshold::Parameters;
    static const config::Schema<Parameters>& schema() { return AutomaticThreshold::schema(); }
    explicit SegmentedImageThresholdSegmentor(const Parameters& parameters) : threshold_(parameters) {}
    explicit SegmentedImageThresholdSegmentor(const xml::Querier& element)
        : SegmentedImageThresholdSegmentor(schema().bind(element)) {}
    static std::string word() { return type_word<SegmentedImage<I>>() + "_threshold_segmentor"; }

    util::CountedPtr<Output> apply(const util::CountedPtr<Input>& pair) {
        if (!pair->image || !pair->segmentation) throw util::Exception("incomplete segmented image in " + word());
        const I& image = *pair->image;
        SegmentImage& segmentation = *pair->segmentation;
        threshold_.clear();
        threshold_.add(image);
        segmentation.resize(image.width(), image.height());
        threshold_.label({image.data()}, {segmentation.data()}, image.width(), image.height());
        segmentation.number_of_segments = 2;
        return pair;
    }

    const AutomaticThreshold& threshold() const { return threshold_; }

private:
    AutomaticThreshold threshold_;
};

// 3-D: one threshold from all voxels of all slices. Key
// "short_image_3d_segmented_image_3d_threshold_segmentor_3d_algorithm_component".
template <class I>
class SegmentedImage3dThresholdSegmentor3d {
public:
    using Input = SegmentedImage3d<I>;
    using Output = SegmentedImage3d<I>;

    using Parameters = AutomaticThreshold::Parameters;
    static const config::Schema<Parameters>& schema() { return AutomaticThreshold::schema(); }
    explicit SegmentedImage3dThresholdSegmentor3d(const Parameters& parameters) : threshold_(parameters) {}
    explicit SegmentedImage3dThresholdSegmentor3d(const xml::Querier& element)
        : SegmentedImage3dThresholdSegmentor3d(schema().bind(element)) {}
    static std::string word() { return type_word<SegmentedImage3d<I>>() + "_threshold_segmentor_3d"; }

    util::CountedPtr<Output> apply(const util::CountedPtr<Input>& pair) {
        if (!pair->image || !pair->segmentation) throw util::Exception("incomplete segmented image in " + word());
        const I& image = *pair->image;
        threshold_.clear();
        for (const auto& slice : image.slices()) threshold_.add(slice);
        SegmentImage3d& segmentation = *pair->segmentation;
        segmentation.resize(image.width(), image.height(), image.depth());
        std::vector<const unsigned short*> slices;
        std::vector<int*> labels;
        for (int z = 0; z < image.depth(); ++z) {
            slices.push_back(image.slice(z).data());
            labels.push_back(segmentation.slice(z).data());
        }
        threshold_.label(slices, labels, image.width(), image.height());
        segmentation.number_of_segments = 2;
        return pair;
    }

private:
    AutomaticThreshold threshold_;
};

}  // namespace ipc

namespace config {

// A threshold method is written as its name: "otsu", "triangle", "li" or
// "fixed"; any other word is refused naming it and the element.
template <>
struct ValueForm<ipc::ThresholdMethod> {
    using Entry = ipc::ThresholdMethod;
    static std::string form() { return "otsu, triangle, li or fixed"; }
    static void read(const xml::Querier& element, ipc::ThresholdMethod& value);
    static std::string show(ipc::ThresholdMethod value);
    template <class Visit>
    static void each(ipc::ThresholdMethod value, Visit visit) {
        visit(std::string(), value);
    }
};

}  // namespace config
