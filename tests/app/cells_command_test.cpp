#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/cell_tracking_score.h"
#include "app/cells_test_support.h"
#include "imaging/tiff_readers.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using cells_test::folder_contents;
using cells_test::run_tool;

const std::string kExample = std::string(OSTREL_SOURCE_DIR) + "/examples/cells";
constexpr int kExampleFrames = 40;

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\n";
    return text;
}

void expect_clean(const test_support::CommandResult& run) {
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_EQ(run.err.rfind("\nElapsed time: ", 0), 0u) << run.err;
}

// The shipped example with no number given: the result is as good as that
// of the hand-written track_cells.xml, and the configuration written beside
// it reproduces it byte for byte, in strict mode too.
TEST(OstrelCells, ShippedExampleTracksLikeTheHandWrittenConfigurationAndReruns) {
    test_support::TempDir dir("cells_example");
    const auto run = run_tool(dir.str(), "ostrel-cells", kExample + "/images out");
    expect_clean(run);
    EXPECT_NE(run.out.find("40 frames of 256 x 256 (2-D images)"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("cell diameter 9.8 pixels (estimated from t000.tif)"), std::string::npos) << run.out;

    const std::string out = (dir.path() / "out").string();
    EXPECT_EQ(joined(cell_score::lineage_mask_mismatches(out, kExampleFrames)), "");
    const auto score = cell_score::score(kExample + "/truth", out, kExampleFrames);
    EXPECT_EQ(score.detected_cells, score.true_cells) << joined(score.missed);
    EXPECT_GE(score.link_fraction(), 0.98);
    EXPECT_GE(cells_test::evaluate(dir.str(), kExample + "/truth", out, "TRA"), 0.99);

    const auto first = folder_contents(out);
    ASSERT_EQ(first.size(), kExampleFrames + 3u);  // masks, res_track.txt, tracks.csv, ostrel-cells.xml
    for (const char* options : {"", "--strict "}) {
        fs::remove(dir.path() / "out" / "res_track.txt");
        fs::remove(dir.path() / "out" / "mask017.tif");
        expect_clean(run_tool(dir.str(), "ostrel", std::string(options) + "out/ostrel-cells.xml"));
        EXPECT_TRUE(folder_contents(out) == first) << "rerun with options '" << options << "' differs";
    }
}

TEST(OstrelCells, LabelMasksOfTheTruthGiveTheTruthBack) {
    test_support::TempDir dir("cells_masks");
    expect_clean(run_tool(dir.str(), "ostrel-cells", "--masks " + kExample + "/truth out"));
    const std::string out = (dir.path() / "out").string();
    EXPECT_EQ(joined(cell_score::relabeling_mismatches(kExample + "/truth", out, kExampleFrames)), "");
}

TEST(OstrelCells, StacksAreTrackedInThreeDimensions) {
    test_support::TempDir dir("cells_stacks");
    const std::vector<cells_test::Blob> balls = {{8, 8, 5, 1, 0, 0.5, 3.5}, {25, 10, 6, 0, 1, 0, 3.5},
                                                 {12, 26, 5, 1, -0.5, 0, 3.5}};
    cells_test::write_blob_sequence(dir.path() / "stacks", balls, 40, 40, 14, 6);
    const auto run = run_tool(dir.str(), "ostrel-cells", "stacks out");
    expect_clean(run);
    EXPECT_NE(run.out.find("6 frames of 40 x 40 x 14 (3-D images)"), std::string::npos) << run.out;
    EXPECT_EQ(test_support::slurp((dir.path() / "out" / "res_track.txt").string()), "1 0 5 0\n2 0 5 0\n3 0 5 0\n");
    const auto mask = ipc::read_short_image_3d_tiff((dir.path() / "out" / "mask005.tif").string());
    EXPECT_EQ(mask.depth(), 14);
    EXPECT_EQ(mask(13, 8, 8), 1);  // the first ball after five steps of (1, 0, 0.5)
}

TEST(OstrelCells, OutputFoldersAreReplacedOnlyWhenTheyHoldAnEarlierResult) {
    test_support::TempDir dir("cells_output");
    cells_test::write_blob_sequence(dir.path() / "images", cells_test::three_discs(), 64, 64, 1, 4);
    fs::create_directories(dir.path() / "notes");
    std::ofstream(dir.path() / "notes" / "thesis.txt") << "precious\n";

    const auto refused = run_tool(dir.str(), "ostrel-cells", "images notes");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("the output folder notes holds files that are not an earlier result"),
              std::string::npos) << refused.err;
    EXPECT_EQ(folder_contents(dir.path() / "notes").size(), 1u);

    for (const char* output : {"images", "."}) {
        const auto inside = run_tool(dir.str(), "ostrel-cells", std::string("images ") + output);
        EXPECT_EQ(inside.status, 1) << output;
        EXPECT_NE(inside.err.find("must not be the input folder or hold it"), std::string::npos) << inside.err;
    }
    const auto no_images = run_tool(dir.str(), "ostrel-cells", "notes fresh");
    EXPECT_EQ(no_images.status, 1);
    EXPECT_FALSE(fs::exists(dir.path() / "fresh"));  // nothing made for a bad input

    expect_clean(run_tool(dir.str(), "ostrel-cells", "images out"));
    // The configuration reads ahead and tracks on threads of their own: one
    // thread gives the same files.
    expect_clean(run_tool(dir.str(), "ostrel-cells", "--threads 1 images one_thread"));
    for (const char* file : {"res_track.txt", "mask000.tif", "mask003.tif"})
        EXPECT_EQ(test_support::slurp((dir.path() / "out" / file).string()),
                  test_support::slurp((dir.path() / "one_thread" / file).string()))
            << file;
    std::ofstream(dir.path() / "out" / "stale.tif") << "from before";
    const auto again = run_tool(dir.str(), "ostrel-cells", "--max-speed 3 --threads 2 images out");
    expect_clean(again);
    EXPECT_NE(again.out.find("out exists... moving to trash."), std::string::npos) << again.out;
    EXPECT_NE(again.out.find("maximum speed 3 pixels per frame (given)"), std::string::npos) << again.out;
    EXPECT_NE(again.out.find("threads per run: 2 (OSTREL_THREADS)"), std::string::npos) << again.out;
    EXPECT_FALSE(fs::exists(dir.path() / "out" / "stale.tif"));
    EXPECT_TRUE(fs::exists(dir.path() / "out" / "res_track.txt"));
}

TEST(OstrelCells, CommandLineMistakesAreExplained) {
    test_support::TempDir dir("cells_usage");
    const auto help = run_tool(dir.str(), "ostrel-cells", "--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: ostrel-cells INPUT OUTPUT [OPTIONS]\n", 0), 0u);
    const auto typo = run_tool(dir.str(), "ostrel-cells", "--max-sped 4 a b");
    EXPECT_EQ(typo.status, 1);
    EXPECT_EQ(typo.err.rfind("ostrel-cells: unknown option: --max-sped (did you mean --max-speed?)\n", 0), 0u)
        << typo.err;
    const auto bad = run_tool(dir.str(), "ostrel-cells", "--diameter -2 a b");
    EXPECT_EQ(bad.err.rfind("ostrel-cells: --diameter: '-2' is not a positive number\n", 0), 0u) << bad.err;
    const auto one = run_tool(dir.str(), "ostrel-cells", "a");
    EXPECT_EQ(one.status, 1);
    EXPECT_EQ(one.err.rfind("ostrel-cells: Usage: ostrel-cells INPUT OUTPUT [OPTIONS] (got 1 arguments)", 0), 0u)
        << one.err;
}

// A folder of sequence folders: each is tracked into its own folder; the one
// that fails is named and the others finish.
TEST(OstrelCells, BatchTracksEverySequenceAndNamesTheOneThatFailed) {
    test_support::TempDir dir("cells_batch");
    const fs::path plate = dir.path() / "plate";
    cells_test::write_blob_sequence(plate / "a", cells_test::three_discs(), 64, 64, 1, 4);
    cells_test::write_blob_sequence(plate / "b" / "images", cells_test::three_discs(), 64, 64, 1, 5);
    fs::create_directories(plate / "c");
    std::ofstream(plate / "c" / "t000.tif") << "not a TIFF";
    fs::create_directories(plate / "a_GT" / "TRA");  // no images: not a sequence

    const auto run = run_tool(dir.str(), "ostrel-cells", "--jobs 2 plate results");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("3 sequences in plate, 2 at a time"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("[done]   a ("), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("[done]   b ("), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("[FAILED] c (exit status 1): ostrel-cells: "), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("1 of 3 sequences failed: c"), std::string::npos) << run.err;
    EXPECT_EQ(test_support::slurp((dir.path() / "results" / "a" / "res_track.txt").string()),
              "1 0 3 0\n2 0 3 0\n3 0 3 0\n");
    EXPECT_EQ(test_support::slurp((dir.path() / "results" / "b" / "res_track.txt").string()),
              "1 0 4 0\n2 0 4 0\n3 0 4 0\n");
    const std::string log = test_support::slurp((dir.path() / "results" / "a.log").string());
    EXPECT_NE(log.find("processed 4 frames"), std::string::npos) << log;
    // Two runs at once, each on one thread: the cores are shared, not oversubscribed.
    EXPECT_NE(log.find("threads per run: 1 (OSTREL_THREADS)"), std::string::npos) << log;
    EXPECT_FALSE(fs::exists(dir.path() / "results" / "a_GT"));

    // Without the broken sequence every one succeeds.
    fs::remove_all(plate / "c");
    const auto clean = run_tool(dir.str(), "ostrel-cells", "plate results");
    EXPECT_EQ(clean.status, 0) << clean.out << clean.err;
    EXPECT_NE(clean.out.find("all 2 sequences tracked"), std::string::npos) << clean.out;
}

// Elongated nuclei far apart are segmented as round cells (as rods they
// lost most divisions: BC(0) 0.33 against 0.90), while a young rod colony,
// a few long cells, is taken for rods.
TEST(OstrelCells, ShapeFollowsElongationAndPacking) {
    test_support::TempDir dir("cells_shape");
    const struct {
        const char* synth;
        const char* shape;
    } cases[] = {{"--seed 9 --size 256 --cells 20 --frames 3 --elongation 2.5 --out nuclei", "cell shape round"},
                 {"--model rods --seed 5 --size 128 --frames 3 --out rods", "cell shape rods"}};
    for (const auto& c : cases) {
        const auto synth = cells_test::run_tool(dir.str(), "ostrel-synth", c.synth);
        ASSERT_EQ(synth.status, 0) << synth.err;
        const std::string name = std::string(c.synth).substr(std::string(c.synth).rfind(' ') + 1);
        const auto run = cells_test::run_tool(dir.str(), "ostrel-cells", name + "/images " + name + "-result");
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_NE(run.out.find(c.shape), std::string::npos) << run.out;
    }
}

}  // namespace
