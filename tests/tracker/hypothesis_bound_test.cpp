#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <fstream>
#include <limits>

#include "imaging/tiff_page_writer.h"
#include "support/run_command.h"
#include "support/temp_dir.h"
#include "tracker/hypothesis_bound.h"

namespace {

using ostrel::BoundCandidate;
using ostrel::HypothesisLimits;

std::vector<char> kept(const std::vector<BoundCandidate>& candidates, HypothesisLimits limits,
                       bool expect_bite) {
    std::vector<char> keep;
    EXPECT_EQ(ostrel::bound_track(candidates, limits, keep), expect_bite);
    return keep;
}

HypothesisLimits limits(int per_track, double ratio = 0.0) {
    HypothesisLimits result;
    result.per_track = per_track;
    result.ratio = ratio;
    return result;
}

TEST(HypothesisBound, WithinTheCapNothingIsPruned) {
    const std::vector<BoundCandidate> three{{-1, true, true}, {-9, true, false}, {-4, true, false}};
    EXPECT_EQ(kept(three, limits(3), false), (std::vector<char>{1, 1, 1}));
}

TEST(HypothesisBound, CapKeepsTheBestAndTheEarlierAmongEquals) {
    const std::vector<BoundCandidate> five{
        {-5, true, false}, {-1, true, false}, {-3, true, false}, {-1, true, false}, {-2, true, false}};
    EXPECT_EQ(kept(five, limits(3), true), (std::vector<char>{0, 1, 0, 1, 1}));
}

TEST(HypothesisBound, BestContactFreeHypothesisSurvivesTheCapAndTheRatio) {
    // The only contact-free hypothesis is the worst: it stays so that the
    // track can always give up every contact it might claim.
    const std::vector<BoundCandidate> candidates{
        {-1, true, false}, {-2, true, false}, {-50, true, true}, {-3, true, false}};
    EXPECT_EQ(kept(candidates, limits(2), true), (std::vector<char>{1, 0, 1, 0}));
    EXPECT_EQ(kept(candidates, limits(10, 1e-3), false), (std::vector<char>{1, 1, 1, 1}));
}

TEST(HypothesisBound, RatioPrunesBelowTheFractionOfTheBest) {
    // ln(1e-3) = -6.9: -8 is below -1 - 6.9, -7 is not.
    const std::vector<BoundCandidate> candidates{
        {-1, true, true}, {-7, true, false}, {-8, true, false}, {-8, false, false}};
    EXPECT_EQ(kept(candidates, limits(10, 1e-3), true), (std::vector<char>{1, 1, 0, 1}));
}

TEST(HypothesisBound, NotANumberRanksLastAndTerminatedOnesStay) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<BoundCandidate> candidates{
        {nan, true, false}, {-3, true, true}, {-100, false, false}, {-2, true, false}};
    EXPECT_EQ(kept(candidates, limits(2), true), (std::vector<char>{0, 1, 1, 1}));
}

// The message of what `limits` fails with.
std::string failure(const HypothesisLimits& bad) {
    try {
        bad.validate();
    } catch (const std::exception& error) {
        return error.what();
    }
    return "no failure";
}

TEST(HypothesisBound, LimitsNameTheBadParameter) {
    HypothesisLimits contacts;
    contacts.contacts_per_hypothesis = 0;
    const std::pair<HypothesisLimits, const char*> cases[] = {
        {limits(0), "maximum_hypotheses_per_track = 0"},
        {limits(5, 1.0), "hypothesis_ratio = 1"},
        {limits(5, -0.5), "hypothesis_ratio = -0.5"},
        {contacts, "maximum_contacts_per_hypothesis = 0"}};
    for (const auto& [bad, named] : cases) EXPECT_NE(failure(bad).find(named), std::string::npos) << named;
}

// A badly over-segmented mask sequence (an 8 x 8 block of one-pixel cells in
// every frame) through the shipped label-mask configuration: without a
// bound the hypotheses grow as (contacts in gate)^(nscan + 1) and the run
// runs out of memory. Bounded, it ends normally and says once how to widen
// the bound.
TEST(HypothesisBound, OverSegmentedMasksFinishWithOneWarning) {
    namespace fs = std::filesystem;
    test_support::TempDir root("dense_masks");
    fs::create_directories(root.path() / "examples");
    fs::copy(fs::path(OSTREL_SOURCE_DIR) / "examples" / "filters", root.path() / "examples" / "filters",
             fs::copy_options::recursive);
    const fs::path cells = root.path() / "examples" / "cells";
    fs::create_directories(cells / "truth");
    fs::copy(fs::path(OSTREL_SOURCE_DIR) / "examples" / "cells" / "track_label_masks.xml", cells);
    for (int frame = 0; frame < 8; ++frame) {
        ipc::Image<unsigned short> mask(64, 64, 0);
        unsigned short label = 1;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) mask(28 + x, 28 + y) = label++;
        ipc::write_greyscale_tiff((cells / "truth" / ("mask00" + std::to_string(frame) + ".tif")).string(),
                                  mask);
    }
    const auto run = test_support::run_command("XDG_DATA_HOME='" + root.str() + "/data' " +
                                                   test_support::ostrel_binary() + " track_label_masks.xml",
                                               cells.string());
    EXPECT_EQ(run.err.rfind("\nElapsed time: ", 0), 0u) << run.err;
    EXPECT_NE(run.out.find("...done, total frame count = 8"), std::string::npos) << run.out;
    const auto first = run.out.find("warning: the tracker bounded its hypotheses");
    ASSERT_NE(first, std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("warning: the tracker bounded", first + 1), std::string::npos);
    EXPECT_NE(run.out.find("maximum_hypotheses_per_track", first), std::string::npos);
    EXPECT_TRUE(fs::exists(cells / "result_from_masks" / "res_track.txt"));
    EXPECT_EQ(run.out.find("warning: the tracker chose greedily"), std::string::npos);

    // The block's clusters hold thousands of hypotheses: with a lower limit
    // on the program's size they are chosen greedily, and the run says so once.
    std::ifstream shipped(cells / "track_label_masks.xml");
    std::string config((std::istreambuf_iterator<char>(shipped)), std::istreambuf_iterator<char>());
    const std::string nscan = "<nscan>";
    config.insert(config.find(nscan), "<maximum_program_columns>100</maximum_program_columns>");
    std::ofstream(cells / "bounded_program.xml") << config;
    const auto bounded = test_support::run_command(
        "XDG_DATA_HOME='" + root.str() + "/data' " + test_support::ostrel_binary() + " bounded_program.xml",
        cells.string());
    EXPECT_EQ(bounded.status, 0) << bounded.err;
    const auto program = bounded.out.find("warning: the tracker chose greedily within a cluster of more than 100");
    ASSERT_NE(program, std::string::npos) << bounded.out;
    EXPECT_EQ(bounded.out.find("warning: the tracker chose greedily", program + 1), std::string::npos);
}

}  // namespace
