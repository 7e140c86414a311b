#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "app/cell_tracking_score.h"
#include "imaging/tiff_page_writer.h"
#include "support/temp_dir.h"

// The scorer behind the cell example's test: it must be able to fail.
namespace {

namespace fs = std::filesystem;
using Pixels = std::vector<unsigned short>;  // one 4 x 2 mask, row-major

void write_text(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// Writes masks prefix000.tif ... and the lineage file into folder.
void write_sequence(const fs::path& folder, const std::string& prefix, const std::vector<Pixels>& masks,
                    const std::string& lineage_name, const std::string& lineage) {
    fs::create_directories(folder);
    for (std::size_t f = 0; f < masks.size(); ++f) {
        ipc::Image<unsigned short> mask(4, 2);
        std::copy(masks[f].begin(), masks[f].end(), mask.begin());
        ipc::write_greyscale_tiff(cell_score::mask_path(folder.string(), prefix, static_cast<int>(f)), mask);
    }
    write_text(folder / lineage_name, lineage);
}

struct Sequence {
    std::vector<Pixels> masks;
    std::string lineage;
};

struct ScoreCase {
    const char* name;
    Sequence truth, result;
    int detected, reproduced;
};

// One true cell (label 5) in the top row of two frames, or a mother that
// divides into 6 and 7.
const Sequence one_cell{{{5, 5, 5, 5, 0, 0, 0, 0}, {5, 5, 5, 5, 0, 0, 0, 0}}, "5 0 1 0\n"};
const Sequence division{{{5, 5, 5, 5, 0, 0, 0, 0}, {6, 6, 0, 0, 7, 7, 0, 0}}, "5 0 0 0\n6 1 1 5\n7 1 1 5\n"};

TEST(CellTrackingScore, CountsDetectionsByMajorityAndLinksByLabelOrRecordedDivision) {
    const ScoreCase cases[] = {
        {"same label", one_cell, {{{1, 1, 1, 1, 0, 0, 0, 0}, {1, 1, 1, 1, 0, 0, 0, 0}}, "1 0 1 0\n"}, 2, 1},
        {"label switch", one_cell, {{{1, 1, 1, 1, 0, 0, 0, 0}, {2, 2, 2, 2, 0, 0, 0, 0}}, "1 0 0 0\n2 1 1 0\n"}, 2, 0},
        {"recorded division", one_cell,
         {{{1, 1, 1, 1, 0, 0, 0, 0}, {2, 2, 2, 2, 0, 0, 0, 0}}, "1 0 0 0\n2 1 1 1\n"}, 2, 1},
        {"half covered", one_cell, {{{1, 1, 1, 1, 0, 0, 0, 0}, {1, 1, 0, 0, 0, 0, 0, 0}}, "1 0 1 0\n"}, 1, 0},
        {"three quarters covered", one_cell,
         {{{1, 1, 1, 0, 0, 0, 0, 0}, {1, 1, 1, 1, 0, 0, 0, 0}}, "1 0 1 0\n"}, 2, 1},
        {"division kept", division,
         {{{1, 1, 1, 1, 0, 0, 0, 0}, {2, 2, 0, 0, 3, 3, 0, 0}}, "1 0 0 0\n2 1 1 1\n3 1 1 1\n"}, 3, 2},
        {"division missed", division,
         {{{1, 1, 1, 1, 0, 0, 0, 0}, {1, 1, 0, 0, 2, 2, 0, 0}}, "1 0 1 0\n2 1 1 0\n"}, 3, 1},
    };
    for (const auto& c : cases) {
        test_support::TempDir dir("cell_score");
        write_sequence(dir.path() / "truth", "man_track", c.truth.masks, "man_track.txt", c.truth.lineage);
        write_sequence(dir.path() / "result", "mask", c.result.masks, "res_track.txt", c.result.lineage);
        const auto score = cell_score::score((dir.path() / "truth").string(), (dir.path() / "result").string(), 2);
        // The single cell is seen twice and moves once; the mother and its
        // two daughters are three cells and two links.
        const bool divides = c.truth.lineage == division.lineage;
        const int true_cells = divides ? 3 : 2;
        const int true_links = divides ? 2 : 1;
        EXPECT_EQ(score.true_cells, true_cells) << c.name;
        EXPECT_EQ(score.detected_cells, c.detected) << c.name;
        EXPECT_EQ(static_cast<int>(score.missed.size()), true_cells - c.detected) << c.name;
        EXPECT_EQ(score.true_links, true_links) << c.name;
        EXPECT_EQ(score.reproduced_links, c.reproduced) << c.name;
    }
}

TEST(CellTrackingScore, FlagsResultsWhoseLineageAndMasksDisagree) {
    struct Case {
        const char* name;
        Sequence result;
        std::size_t faults;
    };
    const Case cases[] = {
        {"consistent division", {division.masks, "5 0 0 0\n6 1 1 5\n7 1 1 5\n"}, 0},
        {"painted label without a line", {division.masks, "5 0 0 0\n6 1 1 5\n"}, 1},
        {"label painted outside its frames", {division.masks, "5 0 0 0\n6 1 1 5\n7 0 0 0\n"}, 1},
        {"line without pixels", {division.masks, "5 0 0 0\n6 1 1 5\n7 1 1 5\n8 0 1 0\n"}, 1},
        {"parent ends too late", {{one_cell.masks[0], division.masks[1]}, "5 0 1 0\n6 1 1 5\n7 1 1 5\n"}, 2},
        {"unlisted parent", {division.masks, "5 0 0 0\n6 1 1 9\n7 1 1 5\n"}, 1},
    };
    for (const auto& c : cases) {
        test_support::TempDir dir("cell_lineage");
        write_sequence(dir.path(), "mask", c.result.masks, "res_track.txt", c.result.lineage);
        EXPECT_EQ(cell_score::lineage_mask_mismatches(dir.str(), 2).size(), c.faults) << c.name;
    }
}

TEST(CellTrackingScore, AcceptsOnlyARelabelledCopyOfTheTruth) {
    struct Case {
        const char* name;
        Sequence result;
        bool same;
    };
    const Case cases[] = {
        {"relabelled", {{{2, 2, 2, 2, 0, 0, 0, 0}, {3, 3, 0, 0, 1, 1, 0, 0}}, "1 1 1 2\n2 0 0 0\n3 1 1 2\n"}, true},
        {"daughters merged", {{{2, 2, 2, 2, 0, 0, 0, 0}, {3, 3, 0, 0, 3, 3, 0, 0}}, "2 0 0 0\n3 1 1 2\n"}, false},
        {"one pixel lost", {{{2, 2, 2, 2, 0, 0, 0, 0}, {3, 3, 0, 0, 1, 0, 0, 0}}, "1 1 1 2\n2 0 0 0\n3 1 1 2\n"},
         false},
        {"division not recorded", {{{2, 2, 2, 2, 0, 0, 0, 0}, {3, 3, 0, 0, 1, 1, 0, 0}}, "1 1 1 0\n2 0 0 0\n3 1 1 2\n"},
         false},
    };
    for (const auto& c : cases) {
        test_support::TempDir dir("cell_relabel");
        write_sequence(dir.path() / "truth", "man_track", division.masks, "man_track.txt", division.lineage);
        write_sequence(dir.path() / "result", "mask", c.result.masks, "res_track.txt", c.result.lineage);
        const auto faults = cell_score::relabeling_mismatches((dir.path() / "truth").string(),
                                                              (dir.path() / "result").string(), 2);
        EXPECT_EQ(faults.empty(), c.same) << c.name;
    }
}

TEST(CellTrackingScore, ReadsOnlyWellFormedLineageFiles) {
    test_support::TempDir dir("cell_lineage_form");
    const std::string path = (dir.path() / "res_track.txt").string();
    write_text(path, "1 0 3 0\n2 4 5 1\n");
    const auto rows = cell_score::read_lineage(path);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows.at(2).begin, 4);
    EXPECT_EQ(rows.at(2).end, 5);
    EXPECT_EQ(rows.at(2).parent, 1);
    for (const char* text : {"1 0 3\n", "1  0 3 0\n", "1 0 3 0 \n", "1 0 3 0", "1 0 3 0\n1 4 5 0\n", "a 0 3 0\n"}) {
        write_text(path, text);
        EXPECT_THROW(cell_score::read_lineage(path), std::exception) << text;
    }
}

}  // namespace
