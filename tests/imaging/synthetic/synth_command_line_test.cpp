#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "imaging/synthetic/synth_command_line.h"
#include "support/expect_message.h"
#include "support/temp_dir.h"

namespace {

using namespace synth;
using Args = std::vector<std::string>;

TEST(SynthCommandLineTest, OptionsSetTheirParametersInBothSpellings) {
    const SynthOptions o = parse_synth_options(
        {"--seed", "18446744073709551615", "--size=320x200", "--cells", "0", "--frames=7", "--radius", "4.5",
         "--speed", "0", "--division-rate", "0.25", "--entry-rate=2", "--background", "500",
         "--contrast", "4000", "--noise", "0", "--out", "x/y", "--force"});
    EXPECT_EQ(o.parameters.seed, 18446744073709551615ULL);
    EXPECT_EQ(o.parameters.width, 320);
    EXPECT_EQ(o.parameters.height, 200);
    EXPECT_EQ(o.parameters.cells, 0);
    EXPECT_EQ(o.parameters.frames, 7);
    EXPECT_EQ(o.parameters.radius, 4.5);
    EXPECT_EQ(o.parameters.speed, 0.0);
    EXPECT_EQ(o.parameters.division_rate, 0.25);
    EXPECT_EQ(o.parameters.entry_rate, 2.0);
    EXPECT_EQ(o.parameters.background, 500.0);
    EXPECT_EQ(o.parameters.contrast, 4000.0);
    EXPECT_EQ(o.parameters.noise, 0.0);
    EXPECT_EQ(o.out, "x/y");
    EXPECT_TRUE(o.force);
    EXPECT_EQ(parse_synth_options({"--size", "64", "--out", "d"}).parameters.height, 64);
}

TEST(SynthCommandLineTest, BadArgumentsAreNamedWithTheirValue) {
    const std::pair<Args, const char*> cases[] = {
        {{"--size", "256"}, "--out DIR is required"},
        {{"--out"}, "--out needs a value"},
        {{"--out", "d", "--colour", "red"}, "unknown option: --colour"},
        {{"--out", "d", "extra"}, "unknown option: extra"},
        {{"--out", "d", "--cells", "many"}, "--cells: 'many' is not an integer"},
        {{"--out", "d", "--cells", "12.5"}, "--cells: '12.5' is not an integer"},
        {{"--out", "d", "--frames", "99999999999"}, "--frames: '99999999999' is not an integer of a sensible size"},
        {{"--out", "d", "--seed", "-3"}, "--seed: '-3' is not an integer from 0 to 18446744073709551615"},
        {{"--out", "d", "--size", "256x"}, "--size: '256x' is not a size N or WxH"},
        {{"--out", "d", "--size", "axb"}, "--size: 'a' is not an integer"},
        {{"--out", "d", "--radius", "inf"}, "--radius: 'inf' is not a number"},
        {{"--out", "d", "--noise", ""}, "--noise: '' is not a number"},
        {{"--out", "d", "--force=yes"}, "--force takes no value, got 'yes'"},
        {{"--out", "d", "--size", "8"}, "width must be from 16 to 4096, width = 8"},
        {{"--out", "d", "--frames", "1001"}, "frames must be from 1 to 1000, frames = 1001"},
        {{"--out", "d", "--division-rate", "1.5"}, "division_rate must be from 0 to 1, division_rate = 1.5"},
    };
    for (const auto& [args, message] : cases) EXPECT_MESSAGE(parse_synth_options(args), message);
}

TEST(SynthCommandLineTest, RunReportsUsageErrorsHelpAndResults) {
    std::ostringstream out, err;
    EXPECT_EQ(run_synth({"--cells", "x", "--out", "d"}, out, err), 2);
    EXPECT_EQ(err.str(), "ostrel-synth: --cells: 'x' is not an integer\nTry 'ostrel-synth --help'.\n");
    EXPECT_EQ(out.str(), "");

    std::ostringstream help_out, help_err;
    EXPECT_EQ(run_synth({"--help"}, help_out, help_err), 0);
    EXPECT_EQ(help_out.str(), synth_usage());
    EXPECT_NE(help_out.str().find("--division-rate"), std::string::npos);

    test_support::TempDir dir("synth_run");
    const Args args = {"--out", dir.str(), "--size", "64", "--cells", "3", "--frames", "4", "--entry-rate", "0",
                       "--division-rate", "0", "--speed", "0"};
    std::ostringstream run_out, run_err;
    EXPECT_EQ(run_synth(args, run_out, run_err), 0) << run_err.str();
    EXPECT_EQ(run_out.str(), "wrote 4 frames of 64 x 64 to " + dir.str() + "/images\ntruth in " + dir.str() +
                                 "/truth: 3 tracks, 0 divisions, 0 entries, 0 exits\n");
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "images" / "t003.tif"));

    std::ostringstream again_out, again_err;
    EXPECT_EQ(run_synth(args, again_out, again_err), 1);
    EXPECT_EQ(again_err.str(), "ostrel-synth: output folder is not empty: " + dir.str() +
                                   "/images (use --force to overwrite)\n");
}

}  // namespace
