#include <gtest/gtest.h>

#include <algorithm>

#include "celltracking/label_mask.h"
#include "celltracking_test_support.h"

namespace {

isbi::TrackSighting on_segment(int segment) {
    isbi::TrackSighting s;
    s.segment = segment;
    return s;
}

isbi::TrackSighting coasting(double x, double y) {
    isbi::TrackSighting s;
    s.position = {x, y, 0};
    return s;
}

// Segments: 1 covers two pixels, 2 one pixel, 3 none (it was painted over).
util::CountedPtr<ipc::SegmentImage> segments() {
    auto set = cell_test::segmentation({{0, 1, 1}, {0, 2, 0}});
    set->number_of_segments = 4;
    return set;
}

TEST(LabelMaskTest, OnlyTracksLeftWithAPixelAreMarked) {
    struct Case {
        const char* name;
        std::vector<isbi::TrackSighting> tracks;
        std::vector<bool> marked;
    };
    const Case cases[] = {
        {"own segments", {on_segment(1), on_segment(2)}, {true, true}},
        {"shared segment: the later track takes it", {on_segment(1), on_segment(1)}, {false, true}},
        {"segment without pixels", {on_segment(3)}, {false}},
        {"coast on the last pixel of a segment", {on_segment(2), coasting(1, 1)}, {false, true}},
        {"coast on one of two pixels", {on_segment(1), coasting(1.4, 0)}, {true, true}},
        {"two coasts on one pixel: the later wins", {coasting(0, 0), coasting(0.3, -0.2)}, {false, true}},
        {"coast outside the image", {coasting(3, 0), coasting(0, -0.6)}, {false, false}},
    };
    for (const Case& c : cases) EXPECT_EQ(isbi::marked_tracks(*segments(), c.tracks), c.marked) << c.name;
}

// The writer reads 2-D segmentations from the runs a frame keeps: the same
// marks and masks as from the painted label image, background included, and
// the same failure.
TEST(LabelMaskTest, RunsGiveTheSameMarksAndMasksAsTheLabelImage) {
    // Wide enough for its runs to be kept: 1 covers two pixels, 2 one, 3 none.
    auto image = cell_test::segmentation({std::vector<int>(12, 0), std::vector<int>(12, 0)});
    (*image)(1, 0) = (*image)(2, 0) = 1;
    (*image)(1, 1) = 2;
    image->number_of_segments = 4;
    ipc::SegmentRuns runs;
    ASSERT_TRUE(ipc::SegmentRuns::encode(*image, runs));
    struct Case {
        const char* name;
        std::vector<isbi::TrackSighting> tracks;
        std::vector<std::int32_t> labels;
    };
    const Case cases[] = {
        {"segments and coasts", {on_segment(1), on_segment(2), coasting(0, 1), coasting(1, 1)}, {4, 7, 9, 2}},
        {"a shared segment and one without pixels", {on_segment(1), on_segment(1), on_segment(3)}, {1, 2, 3}},
        {"a track on the background segment", {on_segment(0), on_segment(2)}, {3, 8}},
        {"coasts outside the image", {coasting(12, 0), coasting(0, -0.6)}, {5, 6}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isbi::marked_tracks(runs, c.tracks), isbi::marked_tracks(*image, c.tracks)) << c.name;
        const isbi::Mask from_image = isbi::paint_mask(*image, c.tracks, c.labels);
        const isbi::Mask from_runs = isbi::paint_mask(runs, c.tracks, c.labels);
        EXPECT_TRUE(std::equal(from_image.begin(), from_image.end(), from_runs.begin(), from_runs.end())) << c.name;
    }
    (*image)(5, 1) = 6;  // beyond number_of_segments
    ASSERT_TRUE(ipc::SegmentRuns::encode(*image, runs));
    EXPECT_THROW(isbi::paint_mask(*image, {on_segment(1)}, {1}), util::Exception);
    EXPECT_THROW(isbi::paint_mask(runs, {on_segment(1)}, {1}), util::Exception);
}

TEST(LabelMaskTest, UnmarkedTracksPaintNothing) {
    // The first track is labelled 0 (not marked); its coast would land on
    // segment 1.
    const auto mask = isbi::paint_mask(*segments(), {coasting(1, 0), on_segment(1)}, {0, 5});
    EXPECT_EQ(mask(1, 0), 5);
    EXPECT_EQ(mask(2, 0), 5);
}

}  // namespace
