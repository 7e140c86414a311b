#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "config/schema.h"
#include "imaging/segment_image.h"
#include "imaging/segmented_image.h"
#include "imaging/segment_shape.h"
#include "imaging/type_words.h"
#include "model/composite_state_frame.h"
#include "model/frame.h"
#include "numerics/vector.h"
#include "pipeline/component.h"

namespace ipc {

// Per-label sums gathered in one pass over a segmented image: pixel (voxel)
// count, coordinate sums and second-order sums of x and y, and the sum of
// the source values (PlaneSums), plus the sum of z in 3-D. The tables are
// kept between frames.
template <int N>
struct SegmentMoments {
    std::vector<PlaneSums> plane;
    std::vector<std::int64_t> z_sum;  // 3-D only

    void reset(int segments) {
        const auto n = static_cast<std::size_t>(segments);
        plane.assign(n, PlaneSums{});
        if constexpr (N == 3) z_sum.assign(n, 0);
    }
};

// Turns segments into contacts: one CompositeState per segment whose source
// values are not all zero (mean not 0) and whose size is at least
// "minimum_contact_size", holding its time, a track label (this converter's
// label source and a number counting contacts over the whole run), a
// Gaussian position (the segment's centroid, covariance diag(sigma^2)), the
// segment label, its features (SegmentFeaturesState: size, intensity, shape)
// and its size as a Gaussian (SegmentSizeState, variance from
// segment_size_variance) for the segment-size filters. Shared by the 2-D
// and 3-D converters.
template <int N>
class ContactExtractor {
public:
    struct Parameters {
        nmrc::Vector<N> sigma;
        int minimum_contact_size = 0;
    };
    static const config::Schema<Parameters>& schema();

    explicit ContactExtractor(const Parameters& parameters);

    // Builds the contact frame at time; own_state is the segmentation's
    // state, put with the time into the frame's own states.
    util::CountedPtr<frame::CompositeStateFrame> make_frame(double time, const SegmentMoments<N>& moments,
                                                            state::StatePtr own_state);

    int label_source() const { return label_source_; }

private:
    nmrc::Vector<N> variance_;  // sigma^2 per axis
    int minimum_contact_size_ = 0;
    int label_source_ = 0;
    int last_contact_ = -1;
};

// Key "segment_image_segmented_image_to_contact_frame_converter" (I =
// SegmentImage): frames of SegmentedImage<I> become contact frames.
// Key "short_image_segmented_image_to_contact_frame_converter" (I =
// Image<unsigned short>): the pair of an intensity image and its objects, as
// the threshold and object segmentors leave it; segment 0 is the background
// and never a contact, and the intensity features are the image's values.
template <class I>
class SegmentedImageToContactFrameConverter : public cmpnt::MonoChildComponent {
public:
    using Parameters = typename ContactExtractor<2>::Parameters;
    static const config::Schema<Parameters>& schema() { return ContactExtractor<2>::schema(); }
    explicit SegmentedImageToContactFrameConverter(const Parameters& parameters) : extractor_(parameters) {}
    explicit SegmentedImageToContactFrameConverter(const xml::Querier& element)
        : SegmentedImageToContactFrameConverter(schema().bind(element)) {}
    static std::string key() { return type_word<SegmentedImage<I>>() + "_to_contact_frame_converter"; }

    void push_frame(cmpnt::FramePtr incoming) override;
    int label_source() const { return extractor_.label_source(); }

private:
    ContactExtractor<2> extractor_;
    SegmentMoments<2> moments_;
};

// Key "segment_image_3d_segmented_image_3d_to_contact_frame_converter", and
// "short_image_3d_segmented_image_3d_to_contact_frame_converter" for stacks
// with their objects (segment 0 the background, as in 2-D).
template <class I>
class SegmentedImage3dToContactFrameConverter : public cmpnt::MonoChildComponent {
public:
    using Parameters = typename ContactExtractor<3>::Parameters;
    static const config::Schema<Parameters>& schema() { return ContactExtractor<3>::schema(); }
    explicit SegmentedImage3dToContactFrameConverter(const Parameters& parameters) : extractor_(parameters) {}
    explicit SegmentedImage3dToContactFrameConverter(const xml::Querier& element)
        : SegmentedImage3dToContactFrameConverter(schema().bind(element)) {}
    static std::string key() { return type_word<SegmentedImage3d<I>>() + "_to_contact_frame_converter"; }

    void push_frame(cmpnt::FramePtr incoming) override;
    int label_source() const { return extractor_.label_source(); }

private:
    ContactExtractor<3> extractor_;
    SegmentMoments<3> moments_;
};

extern template class ContactExtractor<2>;
extern template class ContactExtractor<3>;
extern template class SegmentedImageToContactFrameConverter<SegmentImage>;
extern template class SegmentedImage3dToContactFrameConverter<SegmentImage3d>;
extern template class SegmentedImageToContactFrameConverter<Image<unsigned short>>;
extern template class SegmentedImage3dToContactFrameConverter<Image3d<unsigned short>>;

}  // namespace ipc
