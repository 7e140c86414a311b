#include <gtest/gtest.h>

#include <cmath>

#include "imaging/contact_frame_converters.h"
#include "imaging/segment_features_state.h"
#include "imaging/segment_states.h"
#include "imaging_test_support.h"
#include "model/composite_state_frame.h"
#include "model/states/position_estimate_state.h"
#include "model/states/segment_size_state.h"
#include "model/states/time_state.h"
#include "model/track_label_state.h"

namespace {

using namespace ipc;
using ipc_test::element;
using ipc_test::image_from_rows;
using Pair = SegmentedImage<SegmentImage>;

// The frame's own copy of the segmentation holds the same labels.
void expect_same_segmentation(const SegmentImageState& state, const SegmentImage& expected) {
    const auto painted = state.segmentation();
    ASSERT_TRUE(painted);
    EXPECT_TRUE(*painted == expected);
    EXPECT_EQ(painted->number_of_segments, expected.number_of_segments);
}

xml::Querier config(const std::string& sigma, int minimum_size) {
    return element("<c><sigma>" + sigma + "</sigma><minimum_contact_size>" + std::to_string(minimum_size) +
                   "</minimum_contact_size></c>");
}

// Foreground (1) regions: segment 0 = {(0,0), (1,0), (0,1)}, segment 2 =
// {(2,2)}, segment 3 = {(4,0)}; segment 1 is the background; segment 4 has
// no pixels.
std::shared_ptr<Pair> blobs() {
    auto source = std::make_shared<SegmentImage>(image_from_rows<int>({{1, 1, 0, 0, 1}, {1, 0, 0, 0, 0}, {0, 0, 1, 0, 0}}));
    auto labels = std::make_shared<SegmentImage>(image_from_rows<int>({{0, 0, 1, 1, 3}, {0, 1, 1, 1, 1}, {1, 1, 2, 1, 1}}));
    labels->number_of_segments = 5;
    return std::make_shared<Pair>(source, labels);
}

struct Contact {
    int segment;
    state::Label label;
    double x, y;
};

std::vector<Contact> contacts_of(const frame::CompositeStateFrame& frame) {
    std::vector<Contact> contacts;
    for (const auto& contact : frame.composite_states) {
        const auto& position = contact->get<state::PositionEstimateState<2>>();
        contacts.push_back({contact->get<SegmentIdState>().id, contact->get<state::TrackLabelState>().label,
                            position.estimate.mean[0], position.estimate.mean[1]});
    }
    return contacts;
}

std::shared_ptr<frame::CompositeStateFrame> convert(SegmentedImageToContactFrameConverter<SegmentImage>& converter,
                                                    const std::shared_ptr<Pair>& pair, double time) {
    auto collector = std::make_shared<ipc_test::FrameCollector>();
    converter.insert_child(collector);
    converter.push_frame(std::make_shared<frame::FrameTemplate<Pair>>(time, pair));
    EXPECT_EQ(collector->frames.size(), 1u);
    return frame::cast<frame::CompositeStateFrame>(collector->frames.at(0));
}

TEST(ContactFrameConverterTest, EveryNonZeroSegmentBigEnoughBecomesAContact) {
    SegmentedImageToContactFrameConverter<SegmentImage> converter(config("2 3", 1));
    auto pair = blobs();
    auto frame = convert(converter, pair, 4.5);
    const int src = converter.label_source();

    const auto contacts = contacts_of(*frame);
    ASSERT_EQ(contacts.size(), 3u);
    EXPECT_EQ(contacts[0].segment, 0);
    EXPECT_DOUBLE_EQ(contacts[0].x, 1.0 / 3);
    EXPECT_DOUBLE_EQ(contacts[0].y, 1.0 / 3);
    EXPECT_EQ(contacts[1].segment, 2);
    EXPECT_EQ(contacts[1].x, 2);
    EXPECT_EQ(contacts[1].y, 2);
    EXPECT_EQ(contacts[2].segment, 3);
    EXPECT_EQ(contacts[2].x, 4);
    EXPECT_EQ(contacts[2].y, 0);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(contacts[k].label, (state::Label{src, k}));

    // One time state is shared by the frame and its contacts; the frame also
    // holds the segmentation.
    EXPECT_EQ(frame->time, 4.5);
    const auto time = frame->meta_data->find<state::TimeState>();
    ASSERT_TRUE(time);
    EXPECT_EQ(frame->meta_data->get<state::TimeState>().time, 4.5);
    expect_same_segmentation(frame->meta_data->get<SegmentImageState>(), *pair->segmentation);
    const auto& contact = *frame->composite_states[0];
    EXPECT_EQ(contact.find<state::TimeState>(), time);
    const auto& estimate = contact.get<state::PositionEstimateState<2>>();
    EXPECT_EQ(estimate.time, 4.5);
    EXPECT_EQ(estimate.estimate.covariance(0, 0), 4);
    EXPECT_EQ(estimate.estimate.covariance(1, 1), 9);
    EXPECT_EQ(estimate.estimate.covariance(0, 1), 0);
}

TEST(ContactFrameConverterTest, MinimumSizeIsInclusive) {
    SegmentedImageToContactFrameConverter<SegmentImage> exactly(config("1 1", 3));
    const auto kept = contacts_of(*convert(exactly, blobs(), 0));
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].segment, 0);

    SegmentedImageToContactFrameConverter<SegmentImage> larger(config("1 1", 4));
    EXPECT_TRUE(convert(larger, blobs(), 0)->composite_states.empty());
}

TEST(ContactFrameConverterTest, ContactNumbersContinueAcrossFramesAndSourcesDiffer) {
    SegmentedImageToContactFrameConverter<SegmentImage> first(config("1 1", 1));
    SegmentedImageToContactFrameConverter<SegmentImage> second(config("1 1", 1));
    EXPECT_EQ(second.label_source(), first.label_source() + 1);

    convert(first, blobs(), 0);
    const auto later = contacts_of(*convert(first, blobs(), 1));
    ASSERT_EQ(later.size(), 3u);
    EXPECT_EQ(later[0].label.id, 3);
    EXPECT_EQ(later[2].label.id, 5);
}

TEST(ContactFrameConverterTest, EndOfStreamAndBadInput) {
    SegmentedImageToContactFrameConverter<SegmentImage> converter(config("1 1", 1));
    auto collector = std::make_shared<ipc_test::FrameCollector>();
    converter.insert_child(collector);
    converter.push_frame(nullptr);
    ASSERT_EQ(collector->frames.size(), 1u);
    EXPECT_EQ(collector->frames[0], nullptr);

    auto pair = blobs();
    pair->segmentation->number_of_segments = 3;
    EXPECT_MESSAGE(converter.push_frame(std::make_shared<frame::FrameTemplate<Pair>>(0, pair)),
                   "segment label out of range, label = 3, number_of_segments = 3");
    EXPECT_MESSAGE_STARTS(converter.push_frame(std::make_shared<frame::FrameTemplate<SegmentImage>>(0, pair->segmentation)),
                   "Frame::cast()");

    EXPECT_MESSAGE(SegmentedImageToContactFrameConverter<SegmentImage>(config("1 -2", 1)),
                   "sigma must be finite and not negative, sigma = 1 -2 (in c, element sigma)");
    EXPECT_MESSAGE(SegmentedImageToContactFrameConverter<SegmentImage>(config("1 1", -1)),
                   "minimum_contact_size must not be negative, minimum_contact_size = -1 "
                   "(in c, element minimum_contact_size)");
}

TEST(ContactFrameConverter3dTest, VoxelCentroidsAndDiagonalCovariance) {
    using Pair3d = SegmentedImage3d<SegmentImage3d>;
    auto source = std::make_shared<SegmentImage3d>(2, 2, 2);
    auto labels = std::make_shared<SegmentImage3d>(2, 2, 2);
    (*source)(1, 1, 1) = (*source)(1, 0, 1) = 7;
    (*labels)(1, 1, 1) = (*labels)(1, 0, 1) = 1;
    labels->number_of_segments = 2;

    SegmentedImage3dToContactFrameConverter<SegmentImage3d> converter(config("1 2 3", 2));
    auto collector = std::make_shared<ipc_test::FrameCollector>();
    converter.insert_child(collector);
    converter.push_frame(std::make_shared<frame::FrameTemplate<Pair3d>>(2, std::make_shared<Pair3d>(source, labels)));
    auto frame = frame::cast<frame::CompositeStateFrame>(collector->frames.at(0));

    ASSERT_EQ(frame->composite_states.size(), 1u);
    const auto& contact = *frame->composite_states[0];
    EXPECT_EQ(contact.get<SegmentIdState>().id, 1);
    const auto& estimate = contact.get<state::PositionEstimateState<3>>().estimate;
    EXPECT_EQ(estimate.mean[0], 1);
    EXPECT_EQ(estimate.mean[1], 0.5);
    EXPECT_EQ(estimate.mean[2], 1);
    EXPECT_EQ(estimate.covariance(1, 1), 4);
    EXPECT_EQ(estimate.covariance(2, 2), 9);
    EXPECT_EQ(estimate.covariance(0, 2), 0);
    EXPECT_EQ(frame->meta_data->get<SegmentImage3dState>().segmentation, labels);
}

}  // namespace

namespace {

using ipc::SegmentFeaturesState;

// Features of the single segment 1 of a label image (segment 0 around it);
// the source values are the labels times `brightness`.
SegmentFeaturesState::Features features_of(const std::vector<std::vector<int>>& rows, int brightness = 1) {
    auto labels = std::make_shared<ipc::SegmentImage>(image_from_rows<int>(rows));
    labels->number_of_segments = 2;
    auto source = std::make_shared<ipc::SegmentImage>(*labels);
    for (int& value : *source) value *= brightness;
    ipc::SegmentedImageToContactFrameConverter<ipc::SegmentImage> converter(config("1 1", 1));
    auto frame = convert(converter, std::make_shared<Pair>(source, labels), 3);
    EXPECT_EQ(frame->composite_states.size(), 1u);
    const auto& contact = *frame->composite_states.at(0);
    // The size filters get the area with variance = area.
    const auto& size = contact.get<ostrel::SegmentSizeState>();
    const auto& features = contact.get<SegmentFeaturesState>().features;
    EXPECT_EQ(size.time, 3);
    EXPECT_EQ(size.estimate.mean[0], features.area);
    EXPECT_EQ(size.estimate.covariance(0, 0), features.area);
    return features;
}

TEST(ContactFeaturesTest, AreaAndIntensityOfTheSegment) {
    const auto f = features_of({{0, 1, 1}, {0, 1, 0}}, 40);
    EXPECT_EQ(f.area, 3);
    EXPECT_EQ(f.total_intensity, 120);
    EXPECT_EQ(f.mean_intensity, 40);
}

TEST(ContactFeaturesTest, OrientationAndAxesFollowTheSecondMoments) {
    // A horizontal bar 8 x 2: variances (64 - 1) / 12 + 1/12 = 16/3 and 1/3;
    // axes 4 sqrt(var): 9.24 and 2.31.
    const auto bar = features_of({{0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
                                  {0, 1, 1, 1, 1, 1, 1, 1, 1, 0},
                                  {0, 1, 1, 1, 1, 1, 1, 1, 1, 0}});
    EXPECT_NEAR(bar.major_axis, 4 * std::sqrt(16.0 / 3), 1e-9);
    EXPECT_NEAR(bar.minor_axis, 4 * std::sqrt(1.0 / 3), 1e-9);
    EXPECT_NEAR(bar.elongation, 4, 1e-9);
    EXPECT_NEAR(bar.orientation, 0, 1e-12);

    // The same bar standing upright lies at pi/2 (the range is (-pi/2, pi/2]).
    std::vector<std::vector<int>> upright(8, std::vector<int>{1, 1});
    EXPECT_NEAR(features_of(upright).orientation, M_PI / 2, 1e-12);

    // A diagonal going down to the right (x and y grow together) lies at
    // +pi/4; going up to the right at -pi/4.
    EXPECT_NEAR(features_of({{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}).orientation, M_PI / 4, 1e-12);
    EXPECT_NEAR(features_of({{0, 0, 0, 1}, {0, 0, 1, 0}, {0, 1, 0, 0}, {1, 0, 0, 0}}).orientation, -M_PI / 4, 1e-12);

    // A single pixel is a unit square: round, axes 4 sqrt(1/12).
    const auto dot = features_of({{0, 0}, {0, 1}});
    EXPECT_NEAR(dot.major_axis, 4 * std::sqrt(1.0 / 12), 1e-12);
    EXPECT_EQ(dot.elongation, 1);
}

TEST(ContactFeaturesTest, DiscHasAxesOfItsDiameter) {
    std::vector<std::vector<int>> rows(41, std::vector<int>(41, 0));
    for (int y = 0; y < 41; ++y)
        for (int x = 0; x < 41; ++x) rows[y][x] = (x - 20) * (x - 20) + (y - 20) * (y - 20) <= 18 * 18;
    const auto disc = features_of(rows);
    EXPECT_NEAR(disc.major_axis, 36, 0.2);
    EXPECT_NEAR(disc.minor_axis, 36, 0.2);
    EXPECT_NEAR(disc.elongation, 1, 1e-9);
}

TEST(ContactFeaturesTest, ThreeDimensionalContactsCarryVolumeAndProjectedShape) {
    using Pair3d = ipc::SegmentedImage3d<ipc::SegmentImage3d>;
    auto labels = std::make_shared<ipc::SegmentImage3d>(4, 2, 3);
    for (int z = 0; z < 3; ++z)
        for (int x = 0; x < 4; ++x) (*labels)(x, 1, z) = 1;  // a 4 x 1 x 3 slab along x
    labels->number_of_segments = 2;
    auto source = std::make_shared<ipc::SegmentImage3d>(*labels);
    (*source)(0, 1, 0) = 13;

    ipc::SegmentedImage3dToContactFrameConverter<ipc::SegmentImage3d> converter(config("1 1 1", 1));
    auto collector = std::make_shared<ipc_test::FrameCollector>();
    converter.insert_child(collector);
    converter.push_frame(std::make_shared<frame::FrameTemplate<Pair3d>>(0, std::make_shared<Pair3d>(source, labels)));
    const auto& contact = *frame::cast<frame::CompositeStateFrame>(collector->frames.at(0))->composite_states.at(0);
    const auto& f = contact.get<SegmentFeaturesState>().features;
    EXPECT_EQ(f.area, 12);
    EXPECT_EQ(f.total_intensity, 24);
    EXPECT_EQ(f.mean_intensity, 2);
    EXPECT_NEAR(f.orientation, 0, 1e-12);
    EXPECT_NEAR(f.major_axis, 4 * std::sqrt(16.0 / 12), 1e-9);
    EXPECT_EQ(contact.get<ostrel::SegmentSizeState>().estimate.mean[0], 12);
}

}  // namespace

namespace {

// Intensity images with their objects: segment 0 is the background and never
// a contact, whatever its values; the features measure the image.
TEST(IntensityContactTest, BackgroundIsNoContactAndFeaturesMeasureTheImage) {
    using ShortPair = ipc::SegmentedImage<ipc::Image<unsigned short>>;
    auto image = std::make_shared<ipc::Image<unsigned short>>(
        image_from_rows<unsigned short>({{50, 50, 50, 50}, {50, 900, 1100, 50}, {50, 50, 50, 400}}));
    auto labels = std::make_shared<ipc::SegmentImage>(image_from_rows<int>({{0, 0, 0, 0}, {0, 1, 1, 0}, {0, 0, 0, 2}}));
    labels->number_of_segments = 3;
    ipc::SegmentedImageToContactFrameConverter<ipc::Image<unsigned short>> converter(config("1 1", 1));
    EXPECT_EQ(converter.key(), "short_image_segmented_image_to_contact_frame_converter");
    auto collector = std::make_shared<ipc_test::FrameCollector>();
    converter.insert_child(collector);
    converter.push_frame(std::make_shared<frame::FrameTemplate<ShortPair>>(0, std::make_shared<ShortPair>(image, labels)));
    const auto frame = frame::cast<frame::CompositeStateFrame>(collector->frames.at(0));
    ASSERT_EQ(frame->composite_states.size(), 2u);
    const auto& first = frame->composite_states[0]->get<SegmentFeaturesState>().features;
    EXPECT_EQ(frame->composite_states[0]->get<SegmentIdState>().id, 1);
    EXPECT_EQ(first.area, 2);
    EXPECT_EQ(first.mean_intensity, 1000);
    EXPECT_EQ(first.total_intensity, 2000);
    EXPECT_EQ(frame->composite_states[1]->get<SegmentFeaturesState>().features.mean_intensity, 400);
    expect_same_segmentation(frame->meta_data->get<SegmentImageState>(), *labels);
}

// A frame's contacts are measured from its runs, unless the segmentation is
// cut into so many specks that the frame keeps the label image instead: an
// object whose run goes on from one row's end into the next row gets the
// same position and features either way.
TEST(IntensityContactTest, ObjectsMeasureTheSameFromRunsAndFromTheLabelImage) {
    using ShortPair = ipc::SegmentedImage<ipc::Image<unsigned short>>;
    const int side = 12;
    auto measure = [&](bool specks) {
        auto image = std::make_shared<ipc::Image<unsigned short>>(side, side, 0);
        auto labels = std::make_shared<ipc::SegmentImage>(side, side, 0);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) (*image)(x, y) = static_cast<unsigned short>(100 + 7 * x + 13 * y);
        // Object 1: the end of row 0, the start of row 1 and one pixel below.
        for (int x : {8, 9, 10, 11}) (*labels)(x, 0) = 1;
        for (int x : {0, 1, 2}) (*labels)(x, 1) = 1;
        (*labels)(1, 2) = 1;
        int next = 2;
        if (specks)
            for (int y = 4; y < side; ++y)
                for (int x = (y % 2); x < side; x += 2) (*labels)(x, y) = next++;
        labels->number_of_segments = next;
        ipc::SegmentedImageToContactFrameConverter<ipc::Image<unsigned short>> converter(config("1 1", 1));
        auto collector = std::make_shared<ipc_test::FrameCollector>();
        converter.insert_child(collector);
        converter.push_frame(std::make_shared<frame::FrameTemplate<ShortPair>>(0, std::make_shared<ShortPair>(image, labels)));
        const auto frame = frame::cast<frame::CompositeStateFrame>(collector->frames.at(0));
        EXPECT_EQ(frame->meta_data->get<SegmentImageState>().runs() == nullptr, specks);
        return frame->composite_states.at(0);
    };
    const auto from_runs = measure(false);
    const auto from_labels = measure(true);
    const auto& a = from_runs->get<SegmentFeaturesState>().features;
    const auto& b = from_labels->get<SegmentFeaturesState>().features;
    EXPECT_EQ(a.area, 8);
    EXPECT_EQ(a.area, b.area);
    EXPECT_EQ(a.total_intensity, b.total_intensity);
    EXPECT_EQ(a.orientation, b.orientation);
    EXPECT_EQ(a.major_axis, b.major_axis);
    EXPECT_EQ(a.minor_axis, b.minor_axis);
    const auto& p = from_runs->get<state::PositionEstimateState<2>>().estimate.mean;
    const auto& q = from_labels->get<state::PositionEstimateState<2>>().estimate.mean;
    EXPECT_DOUBLE_EQ(p[0], 42.0 / 8);
    EXPECT_EQ(p[0], q[0]);
    EXPECT_EQ(p[1], q[1]);
}

}  // namespace
