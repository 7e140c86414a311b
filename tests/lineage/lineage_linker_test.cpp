#include <gtest/gtest.h>

#include <cmath>

#include "lineage/cell_shape.h"
#include "lineage/lineage_linker.h"
#include "lineage/linker_test_support.h"
#include "model/contact_state.h"
#include "model/states/m_of_n_state.h"
#include "model/states/position_estimate_state.h"
#include "support/expect_message.h"

namespace {

using namespace linker_test;

// A cell moving right by one pixel per frame from (40, 50) in frames 0 to 3,
// with a bystander far away.
std::vector<cmpnt::FramePtr> mother_frames() {
    std::vector<cmpnt::FramePtr> frames;
    for (int f = 0; f < 4; ++f) frames.push_back(tracker_frame(f, {{1, 40.0 + f, 50, f + 1}, {9, 150, 150, f + 1}}));
    return frames;
}

TEST(LineageLinkerTest, TwoTracksStartingBesideAMotherWhoseTrackEndedAreHerDaughters) {
    auto frames = mother_frames();
    // Her prediction for frame 4 is (44, 50): the daughters lie either side.
    for (int f = 4; f < 7; ++f) {
        std::vector<Cell> cells{{2, 38, 50, f - 3}, {3, 50, 50, f - 3}, {9, 150, 150, f + 1}};
        if (f >= 5) cells.push_back({7, 200, 30, f - 4});  // a cell entering far away
        frames.push_back(tracker_frame(f, cells));
    }
    const Output out = run_linker(linker_xml(), frames);
    ASSERT_EQ(out.frames.size(), 7u);
    EXPECT_EQ(out.nulls, 1);
    for (int f = 0; f < 7; ++f) EXPECT_EQ(out.frames[f]->time, f);

    EXPECT_EQ(out.parent(4, 0), label(1));
    EXPECT_EQ(out.parent(4, 1), label(1));
    EXPECT_EQ(out.label(4, 0), label(2));
    EXPECT_EQ(out.label(4, 1), label(3));
    // Only the first state names the parent; bystander and newcomer have none.
    EXPECT_EQ(out.parent(5, 0), std::nullopt);
    EXPECT_EQ(out.parent(4, 2), std::nullopt);
    EXPECT_EQ(out.parent(5, 3), std::nullopt);
    EXPECT_EQ(out.label(5, 3), label(7));
}

// The same in a stack: the daughters lie either side of the mother in z.
TEST(LineageLinkerTest, DaughtersOfAMotherInAStackAreHersToo) {
    std::vector<cmpnt::FramePtr> frames;
    for (int f = 0; f < 4; ++f) {
        Cell mother{1, 40, 50, f + 1};
        mother.z = 10.0 + f;
        frames.push_back(tracker_frame(f, {mother}, 3));
    }
    for (int f = 4; f < 6; ++f) {
        Cell a{2, 40, 50, f - 3}, b{3, 40, 50, f - 3};
        a.z = 8, b.z = 20;
        frames.push_back(tracker_frame(f, {a, b}, 3));
    }
    const Output out = run_linker(linker_xml(), frames, 3);
    ASSERT_EQ(out.frames.size(), 6u);
    EXPECT_EQ(out.parent(4, 0), label(1));
    EXPECT_EQ(out.parent(4, 1), label(1));
}

// A crowd of tracks starting around her (a fragmenting tracker in a dense
// colony) must not drown the pair either side of her prediction, and the
// choice stays quick: only her likeliest pairs are weighed.
TEST(LineageLinkerTest, AMotherAmongManyStartsStillGetsTheDaughtersBesideHer) {
    auto frames = mother_frames();
    for (int f = 4; f < 7; ++f) {
        std::vector<Cell> cells{{2, 38, 50, f - 3}, {3, 50, 50, f - 3}, {9, 150, 150, f + 1}};
        for (int k = 0; k < 24; ++k) {  // a quarter ring 14 to 20 pixels out
            const double angle = 0.0654 * k, radius = 14 + (k % 3) * 3;
            cells.push_back({100 + k, 44 + radius * std::cos(angle), 50 + radius * std::sin(angle), f - 3});
        }
        frames.push_back(tracker_frame(f, cells));
    }
    const Output out = run_linker(linker_xml(), frames);
    ASSERT_EQ(out.frames.size(), 7u);
    EXPECT_EQ(out.parent(4, 0), label(1));
    EXPECT_EQ(out.parent(4, 1), label(1));
    int daughters = 0;
    for (std::size_t k = 3; k < 27; ++k) daughters += out.parent(4, static_cast<int>(k)).has_value();
    EXPECT_EQ(daughters, 0);
}

TEST(LineageLinkerTest, AMotherWhoseTrackWentOnWithOneDaughterEndsAndHerContinuationTakesANewLabel) {
    auto frames = mother_frames();
    for (int f = 4; f < 7; ++f)
        frames.push_back(tracker_frame(f, {{1, 38, 50, f + 1}, {3, 50, 50, f - 3}, {9, 150, 150, f + 1}}));
    const Output out = run_linker(linker_xml(), frames);
    ASSERT_EQ(out.frames.size(), 7u);

    EXPECT_EQ(out.label(3, 0), label(1));
    const state::Label continuation = out.label(4, 0);
    EXPECT_EQ(continuation.src, out.linker_source);
    EXPECT_EQ(out.parent(4, 0), label(1));
    EXPECT_EQ(out.parent(4, 1), label(1));
    for (int f = 5; f < 7; ++f) {
        EXPECT_EQ(out.label(f, 0), continuation);
        EXPECT_EQ(out.parent(f, 0), std::nullopt);
    }
    EXPECT_EQ(out.label(6, 2), label(9));
}

// A cell missed for `gap` frames starts a new track where its old one
// predicts it.
TEST(LineageLinkerTest, ACellFoundAgainKeepsItsLabelAcrossABrokenLinkAndNamesItsTrackAcrossAGap) {
    for (int gap : {0, 2}) {
        auto frames = mother_frames();
        for (int f = 4; f < 4 + gap; ++f) frames.push_back(tracker_frame(f, {{9, 150, 150, f + 1}}));
        for (int f = 4 + gap; f < 8 + gap; ++f)
            frames.push_back(tracker_frame(f, {{2, 40.0 + f, 50, f - 3 - gap}, {9, 150, 150, f + 1}}));
        const Output out = run_linker(linker_xml(), frames);
        const int found = 4 + gap;
        ASSERT_EQ(out.frames.size(), static_cast<std::size_t>(8 + gap));
        if (gap == 0) {
            EXPECT_EQ(out.label(found, 0), label(1));
            EXPECT_EQ(out.parent(found, 0), std::nullopt);
            // The joined track counts its scans on from the old one's four.
            const auto& counters = out.frames[found]->composite_states[0]->get<ostrel::MofNState>();
            EXPECT_EQ(counters.n, 5);
        } else {
            EXPECT_EQ(out.label(found, 0), label(2));
            EXPECT_EQ(out.parent(found, 0), label(1)) << "gap " << gap;
        }
        EXPECT_EQ(out.label(found + 1, 0), out.label(found, 0));
    }
}

// Two horizontal rods side by side divide in the same frame, and the tracker
// continued each into the other's daughter: the daughters still pair with
// the mother they straddle.
TEST(LineageLinkerTest, NeighboursDividingTogetherGetTheirOwnDaughtersWhateverTheTrackerContinued) {
    std::vector<cmpnt::FramePtr> frames;
    for (int f = 0; f < 4; ++f) {
        Cell a{1, 40, 50, f + 1}, b{2, 60, 50, f + 1};
        a.axis = b.axis = 0.0;
        frames.push_back(tracker_frame(f, {a, b}));
    }
    for (int f = 4; f < 7; ++f) {
        std::vector<Cell> cells{{1, 55, 50, f + 1}, {2, 45, 50, f + 1}, {3, 35, 50, f - 3}, {4, 65, 50, f - 3}};
        for (Cell& cell : cells) cell.axis = 0.0, cell.length = 10;
        frames.push_back(tracker_frame(f, cells));
    }
    const Output out =
        run_linker(linker_xml("", "<axis_sigma>20</axis_sigma><area_growth>1</area_growth><area_sigma>0.25</area_sigma>"),
                   frames);
    EXPECT_EQ(out.parent(4, 2), label(1));  // (35, 50)
    EXPECT_EQ(out.parent(4, 1), label(1));  // (45, 50), the tracker's track 2
    EXPECT_EQ(out.parent(4, 0), label(2));  // (55, 50), the tracker's track 1
    EXPECT_EQ(out.parent(4, 3), label(2));  // (65, 50)
    EXPECT_NE(out.label(4, 0), out.label(4, 1));
    EXPECT_EQ(out.label(4, 0).src, out.linker_source);
}

// Daughters born in frame 4 whose sister track (2) ends in frame 5 with two
// tracks starting beside her in frame 6: a division of a two-frame-old cell.
TEST(LineageLinkerTest, ACellYoungerThanTheMinimumAgeIsNoMother) {
    for (int minimum_age : {0, 3}) {
        auto frames = mother_frames();
        for (int f = 4; f < 6; ++f)
            frames.push_back(tracker_frame(f, {{2, 38, 50, f - 3}, {3, 50, 50, f - 3}, {9, 150, 150, f + 1}}));
        for (int f = 6; f < 9; ++f)
            frames.push_back(
                tracker_frame(f, {{3, 50, 50, f - 3}, {4, 33, 50, f - 5}, {5, 43, 50, f - 5}, {9, 150, 150, f + 1}}));
        const std::string xml = linker_xml("", "");
        const std::string age = "<minimum_age>" + std::to_string(minimum_age) + "</minimum_age>";
        const Output out = run_linker(std::string(xml).replace(xml.find("<minimum_age>3</minimum_age>"), 28, age),
                                      frames);
        ASSERT_EQ(out.parent(4, 0), label(1));
        if (minimum_age == 0) {
            EXPECT_EQ(out.parent(6, 1), label(2));
            EXPECT_EQ(out.parent(6, 2), label(2));
        } else {
            EXPECT_EQ(out.parent(6, 1), std::nullopt);
            EXPECT_EQ(out.parent(6, 2), std::nullopt);
        }
    }
}

TEST(LineageLinkerTest, ConfigurationMistakesNameTheParameterAndItsValue) {
    const std::string good = linker_xml();
    auto with = [&](const std::string& element, const std::string& replacement) {
        std::string xml = good;
        const auto at = xml.find(element);
        return xml.replace(at, element.size(), replacement);
    };
    const std::pair<std::string, const char*> cases[] = {
        {with("<window>2</window>", "<window>1</window>"),
         "lineage_linker: window must be at least maximum_gap: window = 1"},
        {with("<detection_probability>0.95</detection_probability>",
              "<detection_probability>1</detection_probability>"),
         "lineage_linker: detection_probability must be between 0 and 1 (exclusive): detection_probability = 1"},
        {with("<midpoint_sigma>2</midpoint_sigma>", "<midpoint_sigma>2</midpoint_sigma><area_growth>1</area_growth>"),
         "division_model: area_sigma must be positive exactly when area_growth is: area_sigma = 0 (in lineage_linker)"},
        // Every problem at once.
        {with("<search_radius>30</search_radius><motion_sigma>2</motion_sigma>",
              "<search_radius>0</search_radius><motion_sigma>-1</motion_sigma>"),
         "lineage_linker: search_radius must be positive and finite: search_radius = 0\n"
         "lineage_linker: motion_sigma must be positive and finite: motion_sigma = -1"},
    };
    for (const auto& [xml, message] : cases)
        EXPECT_MESSAGE(lineage::LineageLinker(xml::Querier::parse(xml)), message);
}

TEST(LineageLinkerTest, ATrackWithoutAPositionIsNamedWithItsFrame) {
    auto frame = tracker_frame(3, {{4, 10, 10}});
    auto& states = *frame::cast<frame::CompositeStateFrame>(frame)->composite_states[0];
    states.erase<state::PositionEstimateState<2>>();
    states.erase<state::ContactState>();
    EXPECT_MESSAGE(run_linker(linker_xml(), {frame}),
                   "lineage_linker: track (0, 4) at time 3 has neither position_estimate_state_2d nor "
                   "position_velocity_estimate_state_2d");
}

TEST(LineageLinkerTest, WithoutASegmentationTheFieldAreaMustBeConfigured) {
    std::string xml = linker_xml();
    xml.erase(xml.find("<field_area>65536</field_area>"), std::string("<field_area>65536</field_area>").size());
    EXPECT_MESSAGE(run_linker(xml, {tracker_frame(0, {{1, 10, 10}})}),
                   "lineage_linker: the frames hold no segmentation to measure the field by; configure field_area");
}

// A segment's shape from its pixels: a 9 x 3 bar lies along x, a 3 x 9 bar
// along y, each with area 27 and a long axis three times its short one.
TEST(LineageLinkerTest, SegmentShapesFollowTheLongAxisOfThePixels) {
    ipc::SegmentImage image(14, 14, 0);
    image.number_of_segments = 3;
    for (int y = 1; y < 4; ++y)
        for (int x = 1; x < 10; ++x) image(x, y) = 1;
    for (int y = 2; y < 11; ++y)
        for (int x = 11; x < 14; ++x) image(x, y) = 2;
    const lineage::SegmentShapes shapes(image);
    const auto along_x = shapes.shape(1);
    ASSERT_TRUE(along_x);
    EXPECT_EQ(along_x->area, 27);
    EXPECT_NEAR(along_x->orientation, 0.0, 1e-9);
    EXPECT_NEAR(along_x->elongation(), std::sqrt((81.0 - 1) / (9.0 - 1)), 1e-9);
    const auto along_y = shapes.shape(2);
    ASSERT_TRUE(along_y);
    EXPECT_NEAR(std::fabs(along_y->orientation), M_PI / 2, 1e-9);
    EXPECT_FALSE(shapes.shape(7));
}

}  // namespace
