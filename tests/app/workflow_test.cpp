#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/cells_test_support.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// Stands in for ostrel-eval (same interface: TRUTH RESULT, lines "NAME
// value", status 1 and a reason for an invalid result): it counts the lines
// of both lineage files, and calls a result invalid when the truth folder
// holds a file named INVALID.
const char* kEvaluator = R"SH(#!/bin/sh
if [ -f "$1/INVALID" ]; then echo "masks and lineage disagree in $2" >&2; exit 1; fi
echo "TRACKS $(wc -l < "$2/res_track.txt")"
echo "TRUTH $(wc -l < "$1/man_track.txt")"
)SH";

std::string lines_of(const fs::path& file) {
    const std::string text = test_support::slurp(file.string());
    return std::to_string(std::count(text.begin(), text.end(), '\n'));
}

// The workflow tracks every sequence, evaluates those with ground truth and
// gathers one row per sequence: scores, an invalid result with its reason,
// or none for want of ground truth.
TEST(Workflow, TracksEverySequenceAndTablesTheScoresWhereThereIsTruth) {
    if (std::system("command -v snakemake >/dev/null 2>&1") != 0) GTEST_SKIP() << "snakemake is not installed";
    test_support::TempDir dir("workflow");
    const fs::path sequences = dir.path() / "sequences";
    for (const char* name : {"one", "two", "three"}) {
        const auto synth = cells_test::run_tool(
            dir.str(), "ostrel-synth", std::string("--seed 5 --size 64 --cells 4 --frames 6 --out sequences/") + name);
        ASSERT_EQ(synth.status, 0) << synth.err;
    }
    std::ofstream(sequences / "two" / "truth" / "INVALID") << "";
    fs::remove_all(sequences / "three" / "truth");
    fs::create_directories(sequences / "notes");
    std::ofstream(dir.path() / "evaluate.sh") << kEvaluator;
    fs::permissions(dir.path() / "evaluate.sh", fs::perms::owner_all);

    const std::string command = "XDG_DATA_HOME='" + dir.str() + "/data' snakemake -s '" + OSTREL_SOURCE_DIR +
                                "/workflows/Snakefile' --cores 2 --quiet --config sequences=sequences "
                                "results=results bin='" + OSTREL_BINARY_DIR + "' eval='" + dir.str() +
                                "/evaluate.sh' cells_options='--max-speed 3'";
    const auto run = test_support::run_command(command, dir.str());
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_EQ(test_support::slurp((dir.path() / "results" / "scores.tsv").string()),
              "sequence\tstatus\tTRACKS\tTRUTH\n"
              "one\tscored\t" + lines_of(dir.path() / "results" / "tracks" / "one" / "res_track.txt") + "\t" +
                  lines_of(sequences / "one" / "truth" / "man_track.txt") + "\n"
              "three\tno ground truth\t\t\n"
              "two\tinvalid: masks and lineage disagree in " + (dir.path() / "results" / "tracks" / "two").string() +
                  "\t\t\n");
    EXPECT_TRUE(fs::exists(dir.path() / "results" / "tracks" / "three" / "res_track.txt"));
    EXPECT_NE(test_support::slurp((dir.path() / "results" / "tracks" / "one" / "ostrel-cells.xml").string())
                  .find("maximum speed 3 pixels per frame (given)"),
              std::string::npos);
}

}  // namespace
