#include <gtest/gtest.h>

#include <sstream>

#include "celltracking/track_lineage.h"
#include "support/expect_message.h"

namespace {

using isbi::TrackLineage;
using isbi::TrackSighting;

TrackSighting newborn(int id, double x, double y = 0) {
    TrackSighting s;
    s.track = {0, id};
    s.newborn = true;
    s.position = {x, y, 0};
    s.segment = id;
    return s;
}

TrackSighting under_way(int id, double x, double y = 0) {
    TrackSighting s = newborn(id, x, y);
    s.newborn = false;
    return s;
}

std::string lines(const TrackLineage& lineage) {
    std::ostringstream out;
    lineage.write(out);
    return out.str();
}

TEST(TrackLineageTest, TrackBornInFrameZeroGetsLabelOneWithoutParent) {
    TrackLineage lineage;
    EXPECT_EQ(lineage.label_frame({newborn(7, 1, 1)}, 0, 10), std::vector<std::int32_t>{1});
    EXPECT_EQ(lines(lineage), "1 0 0 0\n");
}

TEST(TrackLineageTest, TrackKeepsItsLabelAndExtendsItsEndFrame) {
    TrackLineage lineage;
    lineage.label_frame({newborn(7, 1, 1)}, 0, 10);
    EXPECT_EQ(lineage.label_frame({under_way(7, 2, 1)}, 1, 10), std::vector<std::int32_t>{1});
    EXPECT_EQ(lineage.label_frame({under_way(7, 3, 1)}, 3, 10), std::vector<std::int32_t>{1});
    EXPECT_EQ(lines(lineage), "1 0 3 0\n");
}

// A newborn track 5 away from the only track under way, against gates
// around 5: it is a daughter only when the gate is strictly greater.
TEST(TrackLineageTest, DistanceGateIsStrict) {
    struct Case {
        double gate;
        bool daughter;
    };
    for (const Case& c : {Case{5.0, false}, Case{5.000001, true}, Case{4.9, false}, Case{0.0, false}}) {
        TrackLineage lineage;
        lineage.label_frame({newborn(1, 0, 0)}, 0, c.gate);
        const auto labels = lineage.label_frame({under_way(1, 0, 0), newborn(2, 3, 4)}, 1, c.gate);
        const auto& segments = lineage.segments();
        if (c.daughter) {
            EXPECT_EQ(lines(lineage), "1 0 0 0\n2 1 1 1\n3 1 1 1\n") << "gate " << c.gate;
            EXPECT_EQ(labels, (std::vector<std::int32_t>{3, 2})) << "gate " << c.gate;
        } else {
            EXPECT_EQ(lines(lineage), "1 0 1 0\n2 1 1 0\n") << "gate " << c.gate;
            EXPECT_EQ(segments.size(), 2u);
        }
    }
}

TEST(TrackLineageTest, DivisionEndsMotherBeforeTheFrameAndStartsMotherAndDaughterThere) {
    TrackLineage lineage;
    lineage.label_frame({newborn(1, 10, 10)}, 0, 3);
    for (int f = 1; f <= 4; ++f) lineage.label_frame({under_way(1, 10, 10)}, f, 3);
    const auto labels = lineage.label_frame({under_way(1, 10, 9), newborn(2, 10, 11)}, 5, 3);
    EXPECT_EQ(labels, (std::vector<std::int32_t>{3, 2}));
    lineage.label_frame({under_way(1, 10, 8), under_way(2, 10, 12)}, 6, 3);
    EXPECT_EQ(lines(lineage), "1 0 4 0\n2 5 6 1\n3 5 6 1\n");
}

TEST(TrackLineageTest, EachNewbornJoinsItsNearestMotherAndMothersRelabelInLabelOrder) {
    TrackLineage lineage;
    lineage.label_frame({newborn(1, 0, 0), newborn(2, 100, 0)}, 0, 5);
    // Newborn 3 is nearest to track 2, newborns 4 and 5 to track 1.
    const auto labels = lineage.label_frame(
        {under_way(2, 100, 0), newborn(3, 99, 0), under_way(1, 0, 0), newborn(4, 1, 0), newborn(5, -2, 0)}, 1, 5);
    // Births take 3, 4, 5 in frame order; then mother 1 continues as 6 and
    // mother 2 as 7.
    EXPECT_EQ(labels, (std::vector<std::int32_t>{7, 3, 6, 4, 5}));
    EXPECT_EQ(lines(lineage), "1 0 0 0\n2 0 0 0\n3 1 1 2\n4 1 1 1\n5 1 1 1\n6 1 1 1\n7 1 1 2\n");
}

TEST(TrackLineageTest, NewbornsAreNotMothersAndTheFirstOfEqualDistancesWins) {
    TrackLineage lineage;
    lineage.label_frame({newborn(1, -2, 0), newborn(2, 2, 0)}, 0, 5);
    // Newborn 4 is nearest to newborn 3, which cannot be a mother; tracks 2
    // and 1 are equally far and 2 comes first in the frame.
    lineage.label_frame({newborn(3, 0, 0.5), under_way(2, 2, 0), under_way(1, -2, 0), newborn(4, 0, 0)}, 1, 5);
    const auto& segments = lineage.segments();
    EXPECT_EQ(segments.at(3).parent, 2);  // newborn 3 is itself nearest to track 2 (first of equals)
    EXPECT_EQ(segments.at(4).parent, 2);
    EXPECT_EQ(segments.at(1).end, 1);
    EXPECT_EQ(segments.at(2).end, 0);
}

TEST(TrackLineageTest, TrackFirstSeenPastItsFirstScanGetsParentlessLabelWhereItAppears) {
    TrackLineage lineage;
    lineage.label_frame({newborn(1, 0, 0)}, 0, 5);
    // Track 9's birth frames were held back upstream: it arrives under way.
    const auto labels = lineage.label_frame({under_way(1, 0, 0), under_way(9, 50, 50)}, 3, 5);
    EXPECT_EQ(labels, (std::vector<std::int32_t>{1, 2}));
    lineage.label_frame({under_way(9, 50, 50)}, 4, 5);
    EXPECT_EQ(lines(lineage), "1 0 3 0\n2 3 4 0\n");
}

TEST(TrackLineageTest, NewbornBesideATrackFirstSeenInTheSameFrameIsNoDaughter) {
    TrackLineage lineage;
    lineage.label_frame({under_way(9, 0, 0), newborn(3, 1, 0)}, 2, 5);
    EXPECT_EQ(lines(lineage), "1 2 2 0\n2 2 2 0\n");
}

TrackSighting unmarked(TrackSighting s) {
    s.marked = false;
    return s;
}

TrackSighting with_parent(TrackSighting s, int parent) {
    s.parent_track = state::Label{0, parent};
    return s;
}

// Frames 0, 1, ... labelled in turn with a gate of 3.
std::string lineage_of(const std::vector<std::vector<TrackSighting>>& frames) {
    TrackLineage lineage;
    for (std::size_t f = 0; f < frames.size(); ++f) lineage.label_frame(frames[f], static_cast<std::int32_t>(f), 3);
    return lines(lineage);
}

TEST(TrackLineageTest, TrackWithoutPixelOrAbsentEndsItsLabelAndContinuesUnderANewOne) {
    // Not marked in frame 1: label 1 ends in frame 0, the track goes on as
    // 2 with 1 as parent.
    EXPECT_EQ(lineage_of({{newborn(1, 0)}, {unmarked(under_way(1, 0))}, {under_way(1, 0)}}), "1 0 0 0\n2 2 2 1\n");
    // Absent from frame 1 while track 2 goes on.
    EXPECT_EQ(lineage_of({{newborn(1, 0), newborn(2, 50)}, {under_way(2, 50)}, {under_way(1, 0), under_way(2, 50)}}),
              "1 0 0 0\n2 0 2 0\n3 2 2 1\n");
    // A newborn without a pixel gets its first label where it is first marked.
    EXPECT_EQ(lineage_of({{newborn(1, 0)}, {under_way(1, 0), unmarked(newborn(2, 50))}, {under_way(1, 0), under_way(2, 50)}}),
              "1 0 2 0\n2 2 2 0\n");
}

TEST(TrackLineageTest, ParentTrackStateDecidesTheParentInsteadOfDistance) {
    struct Case {
        const char* name;
        std::vector<std::vector<TrackSighting>> frames;
        const char* lines;
    };
    const Case cases[] = {
        // The parent is in the frame, far beyond the gate: it divides.
        {"parent present", {{newborn(1, 0)}, {under_way(1, 0), with_parent(newborn(5, 100), 1)}},
         "1 0 0 0\n2 1 1 1\n3 1 1 1\n"},
        // The parent ended before: its label is recorded, nothing divides.
        {"parent ended", {{newborn(1, 0), newborn(2, 50)}, {under_way(2, 50), with_parent(newborn(5, 100), 1)}},
         "1 0 0 0\n2 0 1 0\n3 1 1 1\n"},
        // A parent the writer never saw: no parent, and no distance rule
        // either, though track 1 is near.
        {"unknown parent", {{newborn(1, 0)}, {under_way(1, 0), with_parent(newborn(5, 0.5), 99)}},
         "1 0 1 0\n2 1 1 0\n"},
        // The daughter has no pixel in its first frame: the parent still
        // divides there, and the daughter starts under it a frame later.
        {"daughter marked late",
         {{newborn(1, 0)}, {under_way(1, 0), unmarked(with_parent(newborn(5, 100), 1))}, {under_way(1, 0), under_way(5, 100)}},
         "1 0 0 0\n2 1 2 1\n3 2 2 1\n"},
        // A parent state seen later in the track's life changes nothing.
        {"later parent state", {{newborn(1, 0), newborn(2, 50)}, {under_way(1, 0), with_parent(under_way(2, 50), 1)}},
         "1 0 1 0\n2 0 1 0\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(lineage_of(c.frames), c.lines) << c.name;
}

TEST(TrackLineageTest, LabelBeyondSixteenBitsIsRefused) {
    TrackLineage lineage;
    std::vector<TrackSighting> tracks;
    for (int id = 1; id <= TrackLineage::max_label; ++id) tracks.push_back(newborn(id, id, 0));
    const auto labels = lineage.label_frame(tracks, 0, 0);
    EXPECT_EQ(labels.back(), 65535);
    EXPECT_MESSAGE(lineage.label_frame({newborn(70000, 0, 0)}, 1, 0),
                   "more than 65535 cell labels cannot be stored in 16-bit masks, frame = 1");
}

}  // namespace
