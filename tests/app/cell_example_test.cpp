#include <gtest/gtest.h>

#include <filesystem>

#include "app/cell_tracking_score.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using test_support::run_command;

constexpr int example_frames = 40;

// Lays the shipped cell example out under root as the repository does:
// Ostrel.txt, examples/cells (images, truth, both configurations) and the
// filter files they include.
void copy_example(const fs::path& root) {
    const fs::path source(OSTREL_SOURCE_DIR);
    const fs::path cells = root / "examples" / "cells";
    fs::create_directories(cells);
    fs::create_directories(root / "examples" / "filters");
    fs::copy(source / "Ostrel.txt", root / "Ostrel.txt");
    fs::copy(source / "examples" / "cells" / "images", cells / "images");
    fs::copy(source / "examples" / "cells" / "truth", cells / "truth");
    for (const char* name : {"track_cells.xml", "track_label_masks.xml"})
        fs::copy(source / "examples" / "cells" / name, cells / name);
    fs::copy(source / "examples" / "filters", root / "examples" / "filters", fs::copy_options::recursive);
}

// Runs ostrel at root with the given arguments; old output folders go to a
// trash inside root.
test_support::CommandResult run_ostrel(const test_support::TempDir& root, const std::string& arguments) {
    const std::string command =
        "XDG_DATA_HOME='" + root.str() + "/data' " + test_support::ostrel_binary() + arguments;
    return run_command(command, root.str());
}

void expect_clean_run(const test_support::CommandResult& run) {
    ASSERT_EQ(run.status, 0);
    // Standard error carries only the elapsed time (after a blank line): no
    // error ended the run.
    EXPECT_EQ(run.err.rfind("\nElapsed time: ", 0), 0u) << run.err;
    EXPECT_NE(run.out.find("...done, total frame count = 40"), std::string::npos) << run.out;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\n";
    return text;
}

// The example as a user runs it: ostrel without an argument at the
// repository root, which reads Ostrel.txt. Measured on the shipped
// sequence: every one of the 910 true cells detected and all 884 true
// frame-to-frame links (divisions included) reproduced.
TEST(CellExample, RunWithoutArgumentDetectsEveryCellAndKeepsNearlyEveryLink) {
    test_support::TempDir root("cell_example");
    copy_example(root.path());
    const auto run = run_ostrel(root, "");
    expect_clean_run(run);
    EXPECT_NE(run.out.find("examples/cells/track_cells.xml"), std::string::npos) << run.out;

    const std::string cells = (root.path() / "examples" / "cells").string();
    const std::string result = cells + "/result";
    EXPECT_EQ(joined(cell_score::lineage_mask_mismatches(result, example_frames)), "");

    const auto score = cell_score::score(cells + "/truth", result, example_frames);
    EXPECT_GT(score.true_cells, 0);
    EXPECT_EQ(score.detected_cells, score.true_cells) << joined(score.missed);
    EXPECT_GT(score.true_links, 0);
    EXPECT_GE(score.link_fraction(), 0.98)
        << score.reproduced_links << " of " << score.true_links << " links reproduced";
}

// The label-mask configuration fed with the perfect truth masks must give
// back the truth itself: the same cells, tracks, frames and divisions, only
// numbered differently.
TEST(CellExample, LabelMaskConfigurationReproducesTheTruthUpToTheNumbering) {
    test_support::TempDir root("cell_masks_example");
    copy_example(root.path());
    expect_clean_run(run_ostrel(root, " examples/cells/track_label_masks.xml"));

    const std::string cells = (root.path() / "examples" / "cells").string();
    const std::string result = cells + "/result_from_masks";
    EXPECT_EQ(joined(cell_score::lineage_mask_mismatches(result, example_frames)), "");
    EXPECT_EQ(joined(cell_score::relabeling_mismatches(cells + "/truth", result, example_frames)), "");
}

}  // namespace
