#include "imaging/contact_frame_converters.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

#include "imaging/segment_states.h"
#include "imaging/zero_runs.h"
#include "numerics/value_forms.h"
#include "model/composite_state.h"
#include "model/label.h"
#include "model/states/position_estimate_state.h"
#include "model/states/segment_size_state.h"
#include "model/states/time_state.h"
#include "model/track_label_state.h"
#include "numerics/normal.h"
#include "numerics/symmetric_matrix.h"

namespace ipc {

namespace {

[[noreturn]] void label_out_of_range(int label, int segments) {
    throw util::Exception("segment label out of range, label = " + std::to_string(label) +
                          ", number_of_segments = " + std::to_string(segments));
}

[[noreturn]] void size_mismatch() {
    throw util::Exception("segmentation size differs from image size in contact frame converter");
}

// Adds the pixels x0 .. x1 - 1 of one row to the moments; z is the slice.
template <bool skip_background, class T, int N>
void accumulate_run(const T* value, const int* label, int x0, int x1, int y, int z, int segments,
                    SegmentMoments<N>& moments) {
    for (int x = x0; x < x1; ++x) {
        const int s = label[x];
        if (skip_background && s == 0) continue;
        if (s < 0 || s >= segments) label_out_of_range(s, segments);
        const auto k = static_cast<std::size_t>(s);
        PlaneSums& sums = moments.plane[k];
        ++sums.count;
        sums.x += x;
        sums.y += y;
        sums.xx += std::int64_t{x} * x;
        sums.xy += std::int64_t{x} * y;
        sums.yy += std::int64_t{y} * y;
        sums.value += value[x];
        if constexpr (N == 3) moments.z_sum[k] += z;
    }
}

// Adds one image's (or slice's) pixels to the moments; z is the slice.
// With skip_background the pixels of segment 0 are left out (only checked):
// the background comes in long runs, passed over in blocks.
template <bool skip_background, class T, int N>
void accumulate(const Image<T>& source, const Image<int>& labels, int z, int segments,
                SegmentMoments<N>& moments) {
    const int width = labels.width();
    for (int y = 0; y < labels.height(); ++y) {
        const T* value = source.row(y);
        const int* label = labels.row(y);
        if constexpr (!skip_background) {
            accumulate_run<false>(value, label, 0, width, y, z, segments, moments);
        } else {
            int x = 0;
            while (x < width) {
                x = static_cast<int>(skip_zero_blocks(label, x, width));
                const int end = std::min(width, x + 16);
                accumulate_run<true>(value, label, x, end, y, z, segments, moments);
                x = end;
            }
        }
    }
}

// The same sums from a segmentation's runs (every label but 0): the pixels
// of a run share their label and row, so its coordinate sums have closed
// forms and only the values are read pixel by pixel, with no second scan
// of the label image. The sums are integers, so they equal the per-pixel
// ones exactly.
template <class T>
void accumulate_runs(const Image<T>& source, const SegmentRuns& runs, int segments, SegmentMoments<2>& moments) {
    const std::int64_t width = runs.width();
    // 0^2 + 1^2 + ... + m^2 (0 for m = -1)
    auto square_sum = [](std::int64_t m) { return m * (m + 1) * (2 * m + 1) / 6; };
    for (const SegmentRuns::Run& run : runs.runs()) {
        if (run.label < 0 || run.label >= segments) label_out_of_range(run.label, segments);
        PlaneSums& sums = moments.plane[static_cast<std::size_t>(run.label)];
        std::int64_t start = run.start;
        std::int64_t left = run.length;
        while (left > 0) {  // a run may go on into the next row
            const std::int64_t y = start / width;
            const std::int64_t x0 = start % width;
            const std::int64_t n = std::min(left, width - x0);
            const std::int64_t x1 = x0 + n;          // one past the run's last pixel in this row
            const std::int64_t xs = (x0 + x1 - 1) * n / 2;  // x0 + ... + (x1 - 1)
            sums.count += n;
            sums.x += xs;
            sums.y += y * n;
            sums.xx += square_sum(x1 - 1) - square_sum(x0 - 1);
            sums.xy += xs * y;
            sums.yy += y * y * n;
            const T* value = source.row(static_cast<int>(y));
            std::int64_t total = 0;
            for (std::int64_t x = x0; x < x1; ++x) total += value[x];
            sums.value += total;
            start += n;
            left -= n;
        }
    }
}

// Label images are their own source and keep the background rule "mean
// value not 0"; intensity images leave segment 0 out.
template <class I>
constexpr bool has_background_segment = !std::is_same_v<I, SegmentImage> && !std::is_same_v<I, SegmentImage3d>;

}  // namespace

template <int N>
const config::Schema<typename ContactExtractor<N>::Parameters>& ContactExtractor<N>::schema() {
    using P = Parameters;
    const config::Check<nmrc::Vector<N>> finite_and_not_negative{
        "finite and not negative",
        [](const nmrc::Vector<N>& sigma) {
            for (int i = 0; i < N; ++i)
                if (!std::isfinite(sigma[i]) || sigma[i] < 0) return false;
            return true;
        },
        "{entry} must be finite and not negative, {entry} = {value}"};
    static const auto schema =
        config::Schema<P>(N == 2 ? "contact_frame_converter" : "contact_frame_converter_3d",
                          "turns each segment into a contact at its centroid, with its size and intensity features")
            .required(&P::sigma, "sigma",
                      "the standard deviation of the contact position per axis, in pixels (the position's "
                      "covariance is diag(sigma^2))",
                      finite_and_not_negative)
            .required(&P::minimum_contact_size, "minimum_contact_size",
                      "segments of fewer pixels (voxels) give no contact",
                      config::non_negative<int>().says("{entry} must not be negative, {entry} = {value}"));
    return schema;
}

template <int N>
ContactExtractor<N>::ContactExtractor(const Parameters& parameters)
    : minimum_contact_size_(schema().validate(parameters).minimum_contact_size),
      label_source_(state::take_label_source()) {
    for (int i = 0; i < N; ++i) variance_[i] = parameters.sigma[i] * parameters.sigma[i];  // sigma^2 per axis
}

template <int N>
util::CountedPtr<frame::CompositeStateFrame> ContactExtractor<N>::make_frame(double time,
                                                                             const SegmentMoments<N>& moments,
                                                                             state::StatePtr own_state) {
    auto contacts = std::make_shared<frame::CompositeStateFrame>(time);
    auto time_state = std::make_shared<const state::TimeState>(time);
    contacts->meta_data->insert(time_state);
    contacts->meta_data->insert(std::move(own_state));

    const nmrc::SymmetricMatrix<N> covariance = nmrc::SymmetricMatrix<N>::diagonal(variance_);
    for (std::size_t s = 0; s < moments.plane.size(); ++s) {
        const PlaneSums& sums = moments.plane[s];
        const std::int64_t n = sums.count;
        // A label without pixels has no position; an all-zero segment is
        // background.
        if (n == 0 || n < minimum_contact_size_ || sums.value == 0) continue;
        // centroid = (sum x / n, sum y / n (, sum z / n))
        nmrc::Vector<N> centroid;
        centroid[0] = static_cast<double>(sums.x) / static_cast<double>(n);
        centroid[1] = static_cast<double>(sums.y) / static_cast<double>(n);
        if constexpr (N == 3) centroid[2] = static_cast<double>(moments.z_sum[s]) / static_cast<double>(n);
        const SegmentFeaturesState::Features features = segment_features(sums);

        auto contact = std::make_shared<state::CompositeState>();
        contact->insert(time_state);
        contact->insert(std::make_shared<const state::TrackLabelState>(state::Label{label_source_, ++last_contact_}));
        contact->insert(std::make_shared<const state::PositionEstimateState<N>>(
            nmrc::Normal<N>(centroid, covariance), time));
        contact->insert(std::make_shared<const SegmentIdState>(static_cast<int>(s)));
        contact->insert(std::make_shared<const SegmentFeaturesState>(features));
        contact->insert(std::make_shared<const ostrel::SegmentSizeState>(
            time, nmrc::Normal<1>(nmrc::Vector<1>::constant(features.area),
                                  nmrc::SymmetricMatrix<1>::diagonal(
                                      nmrc::Vector<1>::constant(segment_size_variance(features.area))))));
        contacts->composite_states.push_back(std::move(contact));
    }
    return contacts;
}

template <class I>
void SegmentedImageToContactFrameConverter<I>::push_frame(cmpnt::FramePtr incoming) {
    if (!incoming) {
        child().push_frame(std::move(incoming));
        return;
    }
    auto input = frame::cast<frame::FrameTemplate<SegmentedImage<I>>>(incoming);
    const auto& pair = input->payload;
    if (!pair || !pair->image || !pair->segmentation)
        throw util::Exception("incomplete segmented image in " + key());
    const SegmentImage& segmentation = *pair->segmentation;
    if (!pair->image->same_size(segmentation)) size_mismatch();

    moments_.reset(segmentation.number_of_segments);
    auto own_state = std::make_shared<const SegmentImageState>(pair->segmentation);
    // Objects on a background: the runs the frame keeps anyway hold every
    // object pixel, in the order a scan of the labels would meet them.
    if (has_background_segment<I> && own_state->runs())
        accumulate_runs(*pair->image, *own_state->runs(), segmentation.number_of_segments, moments_);
    else
        accumulate<has_background_segment<I>>(*pair->image, segmentation, 0, segmentation.number_of_segments,
                                              moments_);
    child().push_frame(extractor_.make_frame(input->time, moments_, std::move(own_state)));
}

template <class I>
void SegmentedImage3dToContactFrameConverter<I>::push_frame(cmpnt::FramePtr incoming) {
    if (!incoming) {
        child().push_frame(std::move(incoming));
        return;
    }
    auto input = frame::cast<frame::FrameTemplate<SegmentedImage3d<I>>>(incoming);
    const auto& pair = input->payload;
    if (!pair || !pair->image || !pair->segmentation)
        throw util::Exception("incomplete segmented image in " + key());
    const I& image = *pair->image;
    const SegmentImage3d& segmentation = *pair->segmentation;
    if (!image.same_size(segmentation)) size_mismatch();

    moments_.reset(segmentation.number_of_segments);
    for (int z = 0; z < image.depth(); ++z)
        accumulate<has_background_segment<I>>(image.slice(z), segmentation.slice(z), z,
                                              segmentation.number_of_segments, moments_);
    auto own_state = std::make_shared<const SegmentImage3dState>(pair->segmentation);
    child().push_frame(extractor_.make_frame(input->time, moments_, std::move(own_state)));
}

template class ContactExtractor<2>;
template class ContactExtractor<3>;
template class SegmentedImageToContactFrameConverter<SegmentImage>;
template class SegmentedImage3dToContactFrameConverter<SegmentImage3d>;
template class SegmentedImageToContactFrameConverter<Image<unsigned short>>;
template class SegmentedImage3dToContactFrameConverter<Image3d<unsigned short>>;

}  // namespace ipc
