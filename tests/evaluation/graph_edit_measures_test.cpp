#include <gtest/gtest.h>

#include <cmath>

#include "evaluation/graph_edit_measures.h"
#include "evaluation_test_support.h"

namespace {

using eval_test::matched_frames;
using eval_test::table;

// Each case is one kind of error against a small hand-scored reference.
struct Case {
    const char* name;
    std::vector<std::string> reference_rows;
    const char* reference;
    std::vector<std::string> computed_rows;
    const char* computed;
    ctc::GraphEdits edits;  // the counts of the six operations (reference sizes are checked separately)
    double det, tra, lnk;
};

// Two cells, 1 on pixels 0-1 and 2 on pixels 3-4, for three frames: 6
// nodes and 4 track links, AOGM0 = 10 * 6 + 1.5 * 4 = 66.
const std::vector<std::string> two_cells = {"11.22.", "11.22.", "11.22."};
const char* two_tracks = "1 0 2 0\n2 0 2 0\n";

// A cell (pixels 0-3) that divides after frame 1 into 2 (pixels 0-1) and 3
// (pixels 2-3): 6 nodes, 3 track links and 2 parent links, AOGM0 = 67.5.
const std::vector<std::string> division = {"1111", "1111", "2233", "2233"};
const char* division_tracks = "1 0 1 0\n2 2 3 1\n3 2 3 1\n";

ctc::GraphEdits edits(long long ns, long long fn, long long fp, long long ed, long long ea, long long ec) {
    ctc::GraphEdits e;
    e.splits = ns, e.false_negatives = fn, e.false_positives = fp;
    e.redundant_edges = ed, e.missing_edges = ea, e.wrong_semantics = ec;
    return e;
}

const Case cases[] = {
    {"identical", two_cells, two_tracks, two_cells, two_tracks, edits(0, 0, 0, 0, 0, 0), 1, 1, 1},
    // 3 missed nodes (30) and their 2 links (3): DET 1 - 30/60, TRA 1 - 33/66.
    {"missed cell", two_cells, two_tracks, {"11....", "11....", "11...."}, "1 0 2 0\n",
     edits(0, 3, 0, 0, 2, 0), 0.5, 0.5, 0.5},
    // One extra node: 1 - 1/60, 1 - 1/66.
    {"spurious cell", two_cells, two_tracks, {"11.22.", "11.223", "11.22."}, "1 0 2 0\n2 0 2 0\n3 1 1 0\n",
     edits(0, 0, 1, 0, 0, 0), 1 - 1 / 60.0, 1 - 1 / 66.0, 1},
    // One object over both cells: a split per frame (15), and no link
    // survives (4 * 1.5).
    {"merged cells", two_cells, two_tracks, {"11111.", "11111.", "11111."}, "1 0 2 0\n",
     edits(3, 0, 0, 0, 4, 0), 0.75, 1 - 21 / 66.0, 0},
    // Cell 1 changes label in frame 2: one missing link (1.5).
    {"missing link", two_cells, two_tracks, {"11.22.", "11.22.", "33.22."}, "1 0 1 0\n2 0 2 0\n3 2 2 0\n",
     edits(0, 0, 0, 0, 1, 0), 1, 1 - 1.5 / 66.0, 0.75},
    // Cell 2 is missed in frame 1 and continues under a new label with it as
    // parent: a missed node (10), its two links (3), and the parent link
    // across the gap that the reference lacks (1).
    {"gap", two_cells, two_tracks, {"11.22.", "11....", "11.33."}, "1 0 2 0\n2 0 0 0\n3 2 2 2\n",
     edits(0, 1, 0, 1, 2, 0), 1 - 10 / 60.0, 1 - 14 / 66.0, 1 - 4 / 6.0},
    // The division is missed: the mother's label runs on into daughter 2, a
    // track link where the reference has a parent link (1), and the parent
    // link to daughter 3 is missing (1.5).
    {"missed division", division, division_tracks, {"1111", "1111", "1122", "1122"}, "1 0 3 0\n2 2 3 0\n",
     edits(0, 0, 0, 0, 1, 1), 1, 1 - 2.5 / 67.5, 1 - 2.5 / 7.5},
    // The division a frame late: in frame 2 one object covers both
    // daughters (a split, 5), and the four links into frame 2 are missing (6).
    {"late division", division, division_tracks, {"1111", "1111", "1111", "2233"}, "1 0 2 0\n2 3 3 1\n3 3 3 1\n",
     edits(1, 0, 0, 0, 4, 0), 1 - 5 / 60.0, 1 - 11 / 67.5, 1 - 6 / 7.5},
    // A division that did not happen, into the cell and a spurious object:
    // 2 extra nodes, and a parent link where the reference has a track link.
    {"false division", {"11....", "11....", "11....", "11...."}, "1 0 3 0\n",
     {"11....", "11....", "22.33.", "22.33."}, "1 0 1 0\n2 2 3 1\n3 2 3 1\n", edits(0, 0, 2, 0, 0, 1), 0.95,
     1 - 3 / 44.5, 1 - 1 / 4.5},
    // A wrong link: the labels of the two cells swap after frame 0; both
    // links out of frame 0 are redundant (2) and both reference links
    // missing (3).
    {"swapped labels", two_cells, two_tracks, {"11.22.", "22.11.", "22.11."}, "1 0 2 0\n2 0 2 0\n",
     edits(0, 0, 0, 2, 2, 0), 1, 1 - 5 / 66.0, 1 - 5 / 6.0},
};

TEST(GraphEditMeasuresTest, EachErrorKindCostsWhatTheChallengeCharges) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ctc::GraphEdits e =
            ctc::count_graph_edits(matched_frames(c.reference_rows, c.computed_rows), table(c.reference), table(c.computed));
        EXPECT_EQ(e.splits, c.edits.splits);
        EXPECT_EQ(e.false_negatives, c.edits.false_negatives);
        EXPECT_EQ(e.false_positives, c.edits.false_positives);
        EXPECT_EQ(e.redundant_edges, c.edits.redundant_edges);
        EXPECT_EQ(e.missing_edges, c.edits.missing_edges);
        EXPECT_EQ(e.wrong_semantics, c.edits.wrong_semantics);
        EXPECT_NEAR(ctc::detection_accuracy(e), c.det, 1e-12);
        EXPECT_NEAR(ctc::tracking_accuracy(e), c.tra, 1e-12);
        EXPECT_NEAR(ctc::linking_accuracy(e), c.lnk, 1e-12);
    }
}

TEST(GraphEditMeasuresTest, ReferenceGraphCountsNodesTrackLinksAndParentLinks) {
    const auto e = ctc::count_graph_edits(matched_frames(division, division), table(division_tracks),
                                          table(division_tracks));
    EXPECT_EQ(e.reference_nodes, 6);
    EXPECT_EQ(e.reference_edges, 5);
}

TEST(GraphEditMeasuresTest, CoverageOfExactlyHalfIsNoMatch) {
    // The computed object covers 2 of the 4 pixels of the reference object.
    const auto e = ctc::count_graph_edits(matched_frames({"1111"}, {"11.."}), table("1 0 0 0\n"), table("1 0 0 0\n"));
    EXPECT_EQ(e.false_negatives, 1);
    EXPECT_EQ(e.false_positives, 1);
}

TEST(GraphEditMeasuresTest, ResultWorseThanEmptyScoresZeroAndEmptyTruthIsUndefined) {
    const auto worse = ctc::count_graph_edits(matched_frames({"1..."}, {".234"}), table("1 0 0 0\n"),
                                              table("2 0 0 0\n3 0 0 0\n4 0 0 0\n"));
    EXPECT_EQ(ctc::detection_accuracy(worse), 0.0);  // 10 + 3 > 10
    const auto empty = ctc::count_graph_edits(matched_frames({"...."}, {"...."}), table(""), table(""));
    EXPECT_TRUE(std::isnan(ctc::tracking_accuracy(empty)));
    EXPECT_TRUE(std::isnan(ctc::linking_accuracy(empty)));
}

}  // namespace
