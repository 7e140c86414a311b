#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>

#include "app/tra_measure.h"
#include "imaging/tiff_page_writer.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// Frames of labelled squares: frames[f] maps a label to the corner of its
// 4 x 4 square in a 32 x 32 mask.
using Frames = std::vector<std::map<int, std::pair<int, int>>>;

void write_masks(const fs::path& folder, const std::string& prefix, const Frames& frames, const std::string& lineage,
                 const std::string& lineage_name) {
    fs::create_directories(folder);
    for (std::size_t f = 0; f < frames.size(); ++f) {
        ipc::Image<unsigned short> mask(32, 32, 0);
        for (const auto& [label, corner] : frames[f])
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 4; ++x) mask(corner.first + x, corner.second + y) = static_cast<unsigned short>(label);
        char name[64];
        std::snprintf(name, sizeof name, "%s%03zu.tif", prefix.c_str(), f);
        ipc::write_greyscale_tiff((folder / name).string(), mask);
    }
    std::ofstream(folder / lineage_name) << lineage;
}

tra::Measure measure(const Frames& truth, const std::string& truth_lineage, const Frames& result,
                     const std::string& result_lineage) {
    test_support::TempDir dir("tra");
    write_masks(dir.path() / "truth", "man_track", truth, truth_lineage, "man_track.txt");
    write_masks(dir.path() / "result", "mask", result, result_lineage, "res_track.txt");
    return tra::measure((dir.path() / "truth").string(), (dir.path() / "result").string(),
                        static_cast<int>(truth.size()));
}

const Frames kTwoCells = {{{1, {2, 2}}, {2, {20, 20}}}, {{1, {3, 2}}, {2, {20, 21}}}, {{1, {4, 2}}, {2, {20, 22}}}};

TEST(TraMeasure, RelabelledTruthScoresOne) {
    Frames result = kTwoCells;
    for (auto& frame : result) frame = {{5, frame[1]}, {7, frame[2]}};
    const tra::Measure m = measure(kTwoCells, "1 0 2 0\n2 0 2 0\n", result, "5 0 2 0\n7 0 2 0\n");
    EXPECT_EQ(m.true_nodes, 6);
    EXPECT_EQ(m.true_edges, 4);
    EXPECT_EQ(m.aogm(), 0);
    EXPECT_EQ(m.tra(), 1.0);
}

TEST(TraMeasure, AMissedCellCostsItsNodeAndItsLinks) {
    Frames result = kTwoCells;
    result[1].erase(1);  // cell 1 unseen in frame 1: its track jumps from frame 0 to 2
    const tra::Measure m = measure(kTwoCells, "1 0 2 0\n2 0 2 0\n", result, "1 0 2 0\n2 0 2 0\n");
    EXPECT_EQ(m.false_negatives, 1);
    EXPECT_EQ(m.added_edges, 2);
    EXPECT_EQ(m.deleted_edges, 1);
    EXPECT_EQ(m.false_positives + m.splits + m.changed_edges, 0);
    EXPECT_DOUBLE_EQ(m.tra(), 1.0 - (10 + 2 * 1.5 + 1) / (10 * 6 + 1.5 * 4));
}

TEST(TraMeasure, AnUnrecordedDivisionCostsAKindChangeAndAMissingLink) {
    const Frames truth = {{{1, {10, 10}}}, {{1, {10, 10}}}, {{2, {6, 10}}, {3, {16, 10}}}};
    // The mother's label goes on into one daughter; the other starts afresh.
    const Frames result = {{{1, {10, 10}}}, {{1, {10, 10}}}, {{1, {6, 10}}, {4, {16, 10}}}};
    const tra::Measure m = measure(truth, "1 0 1 0\n2 2 2 1\n3 2 2 1\n", result, "1 0 2 0\n4 2 2 0\n");
    EXPECT_EQ(m.changed_edges, 1);
    EXPECT_EQ(m.added_edges, 1);
    EXPECT_EQ(m.aogm(), 2.5);
}

TEST(TraMeasure, OneLabelOverTwoCellsIsASplitAndAStrayLabelAFalsePositive) {
    const Frames truth = {{{1, {2, 2}}, {2, {6, 2}}}};
    // Label 9 covers both squares (8 x 4); label 4 covers nothing true.
    Frames result = {{{9, {2, 2}}, {4, {20, 20}}}};
    test_support::TempDir dir("tra_split");
    write_masks(dir.path() / "truth", "man_track", truth, "1 0 0 0\n2 0 0 0\n", "man_track.txt");
    write_masks(dir.path() / "result", "mask", result, "9 0 0 0\n4 0 0 0\n", "res_track.txt");
    // Widen label 9 over the second square.
    ipc::Image<unsigned short> mask(32, 32, 0);
    for (int y = 2; y < 6; ++y)
        for (int x = 2; x < 10; ++x) mask(x, y) = 9;
    for (int y = 20; y < 24; ++y)
        for (int x = 20; x < 24; ++x) mask(x, y) = 4;
    ipc::write_greyscale_tiff((dir.path() / "result" / "mask000.tif").string(), mask);
    const tra::Measure m = tra::measure((dir.path() / "truth").string(), (dir.path() / "result").string(), 1);
    EXPECT_EQ(m.splits, 1);
    EXPECT_EQ(m.false_positives, 1);
    EXPECT_EQ(m.aogm(), 6);
}

}  // namespace
