#include <gtest/gtest.h>

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

TEST(LabelMaskTest, UnmarkedTracksPaintNothing) {
    // The first track is labelled 0 (not marked); its coast would land on
    // segment 1.
    const auto mask = isbi::paint_mask(*segments(), {coasting(1, 0), on_segment(1)}, {0, 5});
    EXPECT_EQ(mask(1, 0), 5);
    EXPECT_EQ(mask(2, 0), 5);
}

}  // namespace
