#include <gtest/gtest.h>

#include <cmath>

#include "evaluation/lineage_measures.h"
#include "evaluation_test_support.h"

namespace {

using eval_test::matched_frames;
using eval_test::table;

const std::vector<std::string> two_cells = {"11.22.", "11.22.", "11.22."};
const char* two_tracks = "1 0 2 0\n2 0 2 0\n";
const std::vector<std::string> division = {"1111", "1111", "2233", "2233"};
const char* division_tracks = "1 0 1 0\n2 2 3 1\n3 2 3 1\n";

TEST(LineageMeasuresTest, CompleteTracksCountsTracksFollowedFromBeginToEnd) {
    struct Case {
        const char* name;
        std::vector<std::string> reference_rows;
        const char* reference;
        std::vector<std::string> rows;
        const char* tracks;
        double ct;
    };
    const Case cases[] = {
        {"identical", two_cells, two_tracks, two_cells, two_tracks, 1.0},
        // cell 1 changes label: 1 of 2 reference tracks, 3 computed: 2 * 1 / 5
        {"label change", two_cells, two_tracks, {"11.22.", "11.22.", "33.22."}, "1 0 1 0\n2 0 2 0\n3 2 2 0\n", 0.4},
        // cell 2 missed in frame 1
        {"gap", two_cells, two_tracks, {"11.22.", "11....", "11.33."}, "1 0 2 0\n2 0 0 0\n3 2 2 2\n", 0.4},
        // the computed track of cell 2 runs a frame beyond the reference's
        {"longer track", {"11.22.", "11....", "11...."}, "1 0 2 0\n2 0 0 0\n", {"11.22.", "11.22.", "11...."},
         "1 0 2 0\n2 0 1 0\n", 0.5},
        // merged: no reference track is followed alone
        {"merged", two_cells, two_tracks, {"11111.", "11111.", "11111."}, "1 0 2 0\n", 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_DOUBLE_EQ(
            ctc::complete_tracks(matched_frames(c.reference_rows, c.rows), table(c.reference), table(c.tracks)), c.ct);
    }
}

TEST(LineageMeasuresTest, TrackFractionsAverageTheLongestFollowedRuns) {
    // Cell 1: labels 1, 1, 3 -> 2/3; cell 2: 3/3.
    EXPECT_DOUBLE_EQ(ctc::track_fractions(matched_frames(two_cells, {"11.22.", "11.22.", "33.22."}), table(two_tracks)),
                     (2.0 / 3 + 1) / 2);
    // Cell 2 is never found and does not count; cell 1 is followed throughout.
    EXPECT_DOUBLE_EQ(ctc::track_fractions(matched_frames(two_cells, {"11....", "11....", "11...."}), table(two_tracks)),
                     1.0);
    // A run broken by a miss restarts: 1, -, 1 -> 1/3.
    EXPECT_DOUBLE_EQ(ctc::track_fractions(matched_frames({"11", "11", "11"}, {"11", "..", "11"}), table("1 0 2 0\n")),
                     1.0 / 3);
    EXPECT_TRUE(std::isnan(ctc::track_fractions(matched_frames({"11"}, {".."}), table("1 0 0 0\n"))));
}

TEST(LineageMeasuresTest, BranchingCorrectnessAllowsDivisionsWithinTheTolerance) {
    const auto score = [](const std::vector<std::string>& rows, const char* tracks, int i) {
        return ctc::branching_correctness(matched_frames(division, rows), table(division_tracks), table(tracks), i);
    };
    EXPECT_DOUBLE_EQ(score(division, division_tracks, 0), 1.0);
    // Missed division: F1 of 0 found out of 1.
    EXPECT_DOUBLE_EQ(score({"1111", "1111", "1122", "1122"}, "1 0 3 0\n2 2 3 0\n", 3), 0.0);
    // A frame late: wrong at tolerance 0, right from tolerance 1 on.
    const std::vector<std::string> late = {"1111", "1111", "1111", "2233"};
    const char* late_tracks = "1 0 2 0\n2 3 3 1\n3 3 3 1\n";
    EXPECT_DOUBLE_EQ(score(late, late_tracks, 0), 0.0);
    EXPECT_DOUBLE_EQ(score(late, late_tracks, 1), 1.0);
    // The right division plus a spurious one elsewhere: precision 1/2,
    // recall 1, F1 = 2/3.
    const std::vector<std::string> wide = {"1111.44", "1111.44", "2233.55", "2233.55"};
    const std::vector<std::string> padded = {"1111...", "1111...", "2233...", "2233..."};
    EXPECT_NEAR(ctc::branching_correctness(matched_frames(padded, wide), table(division_tracks),
                                           table("1 0 1 0\n2 2 3 1\n3 2 3 1\n4 0 1 0\n5 2 3 4\n6 2 3 4\n"), 0),
                2.0 / 3, 1e-12);
    // Daughters swapped between the mother's children are still a match;
    // daughters that do not follow the reference children are not.
    EXPECT_DOUBLE_EQ(score({"1111", "1111", "3322", "3322"}, division_tracks, 0), 1.0);
    EXPECT_DOUBLE_EQ(score({"1111", "1111", "2222", "2222"}, "1 0 1 0\n2 2 3 1\n3 2 3 1\n", 0), 0.0);
    // No reference division: undefined.
    EXPECT_TRUE(std::isnan(ctc::branching_correctness(matched_frames({"11"}, {"11"}), table("1 0 0 0\n"),
                                                      table("1 0 0 0\n"), 0)));
}

TEST(LineageMeasuresTest, CellCycleAccuracyComparesCycleLengthDistributions) {
    // Whole cycles (tracks that begin and end with a division): reference
    // 2 (4 frames) and 3 (3 frames).
    const char* reference = "1 0 1 0\n2 2 5 1\n3 2 4 1\n4 6 7 2\n5 6 7 2\n6 5 7 3\n7 5 7 3\n";
    EXPECT_DOUBLE_EQ(ctc::cell_cycle_accuracy(table(reference), table(reference)), 1.0);
    // Computed cycles of 4 and 5 frames: F_r - F_c is 1/2 at 3 and at 4.
    const char* longer = "1 0 1 0\n2 2 5 1\n3 2 6 1\n4 6 7 2\n5 6 7 2\n6 7 7 3\n7 7 7 3\n";
    EXPECT_DOUBLE_EQ(ctc::cell_cycle_accuracy(table(reference), table(longer)), 0.5);
    EXPECT_DOUBLE_EQ(ctc::cell_cycle_accuracy(table(reference), table("1 0 7 0\n")), 0.0);
    EXPECT_TRUE(std::isnan(ctc::cell_cycle_accuracy(table(division_tracks), table(division_tracks))));
}

}  // namespace
