#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "app/cells_test_support.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// The rows of a tab-separated table, by their first cell; each row maps the
// column headings to its cells.
std::map<std::string, std::map<std::string, std::string>> read_table(const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    std::vector<std::string> headings;
    std::map<std::string, std::map<std::string, std::string>> rows;
    while (std::getline(lines, line)) {
        std::vector<std::string> cells;
        std::istringstream fields(line);
        for (std::string cell; std::getline(fields, cell, '\t');) cells.push_back(cell);
        if (headings.empty()) {
            headings = cells;
            continue;
        }
        for (std::size_t i = 0; i < cells.size() && i < headings.size(); ++i) rows[cells[0]][headings[i]] = cells[i];
    }
    return rows;
}

// The workflow tracks every sequence, evaluates those with ground truth and
// gathers one row per sequence: the scores, an invalid result with the
// evaluator's reason, or none for want of ground truth.
TEST(Workflow, TracksEverySequenceAndTablesTheScoresWhereThereIsTruth) {
    if (std::system("command -v snakemake >/dev/null 2>&1") != 0) GTEST_SKIP() << "snakemake is not installed";
    test_support::TempDir dir("workflow");
    const fs::path sequences = dir.path() / "sequences";
    for (const char* name : {"one", "two", "three"}) {
        const auto synth = cells_test::run_tool(
            dir.str(), "ostrel-synth", std::string("--seed 5 --size 64 --cells 4 --frames 6 --out sequences/") + name);
        ASSERT_EQ(synth.status, 0) << synth.err;
    }
    // The truth of "two" has a frame more than its images: the result lacks
    // its mask, which the evaluator rejects.
    fs::copy(sequences / "two" / "truth" / "man_track005.tif", sequences / "two" / "truth" / "man_track006.tif");
    fs::remove_all(sequences / "three" / "truth");
    fs::create_directories(sequences / "notes");

    const std::string command = "XDG_DATA_HOME='" + dir.str() + "/data' snakemake -s '" + OSTREL_SOURCE_DIR +
                                "/workflows/Snakefile' --cores 2 --quiet --config sequences=sequences "
                                "results=results bin='" + OSTREL_BINARY_DIR + "' cells_options='--max-speed 3'";
    const auto run = test_support::run_command(command, dir.str());
    ASSERT_EQ(run.status, 0) << run.out << run.err;

    auto table = read_table(test_support::slurp((dir.path() / "results" / "scores.tsv").string()));
    ASSERT_EQ(table.size(), 3u);
    EXPECT_EQ(table["one"]["status"], "scored");
    EXPECT_GT(std::stod(table["one"]["TRA"]), 0.9);
    EXPECT_FALSE(table["one"]["DET"].empty());
    EXPECT_EQ(table["two"]["status"], "invalid: no mask for frame 6 (reference man_track006.tif)");
    EXPECT_EQ(table["two"]["TRA"], "");
    EXPECT_EQ(table["three"]["status"], "no ground truth");
    EXPECT_TRUE(fs::exists(dir.path() / "results" / "tracks" / "three" / "res_track.txt"));
    EXPECT_NE(test_support::slurp((dir.path() / "results" / "tracks" / "one" / "ostrel-cells.xml").string())
                  .find("maximum speed 3 pixels per frame (given)"),
              std::string::npos);
}

}  // namespace
