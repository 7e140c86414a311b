// The generator's options for harder sequences: each changes what it says
// and nothing else, and the defaults still give the shipped example.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>

#include "imaging/segment_shape.h"
#include "imaging/synthetic/ground_truth_writer.h"
#include "imaging/synthetic/nucleus_renderer.h"
#include "imaging/synthetic/sequence_writer.h"
#include "imaging/synthetic/synth_command_line.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

namespace {

using namespace synth;
namespace fs = std::filesystem;

// The shipped example was made with the documented command; the generator
// must still write exactly its files, or the example and its README drift
// apart.
TEST(HardConditionsTest, DefaultsStillWriteTheShippedExampleByteForByte) {
    test_support::TempDir dir("synth_example");
    const SynthOptions options =
        parse_synth_options({"--seed", "7", "--size", "256", "--cells", "20", "--frames", "40", "--out", dir.str()});
    write_sequence(options.parameters, dir.str(), false);
    const fs::path shipped = fs::path(OSTREL_SOURCE_DIR) / "examples" / "cells";
    for (const char* folder : {"images", "truth"})
        for (const auto& entry : fs::directory_iterator(shipped / folder)) {
            const fs::path written = dir.path() / folder / entry.path().filename();
            ASSERT_TRUE(fs::exists(written)) << written;
            EXPECT_TRUE(test_support::slurp(written.string()) == test_support::slurp(entry.path().string()))
                << entry.path();
        }
}

TEST(HardConditionsTest, NewOptionsSetTheirParameters) {
    const SequenceParameters p =
        parse_synth_options({"--out", "d", "--spacing", "0.9", "--elongation=1.8", "--brightness-spread", "0.25",
                             "--dim-fraction", "0.2", "--dim-level", "0.3", "--uneven", "800", "--blur", "1.5"})
            .parameters;
    EXPECT_EQ(p.spacing, 0.9);
    EXPECT_EQ(p.elongation, 1.8);
    EXPECT_EQ(p.brightness_spread, 0.25);
    EXPECT_EQ(p.dim_fraction, 0.2);
    EXPECT_EQ(p.dim_level, 0.3);
    EXPECT_EQ(p.uneven, 800);
    EXPECT_EQ(p.blur, 1.5);
}

SequenceParameters still_frame(std::uint64_t seed) {
    SequenceParameters p;
    p.seed = seed;
    p.width = p.height = 256;
    p.cells = 60;
    p.frames = 1;
    return p;
}

// Truth masks of elliptical nuclei have the drawn axis ratio and about the
// area of the disc of their radius.
TEST(HardConditionsTest, EllipticalNucleiHaveTheirAxisRatioAndArea) {
    SequenceParameters p = still_frame(2);
    p.elongation = 2.5;
    const CellSequence sequence = simulate_cells(p);
    const auto mask = render_label_mask(sequence.frames[0], p.width, p.height);
    std::map<int, ipc::PlaneSums> sums;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (const int label = mask(x, y)) {
                ipc::PlaneSums& s = sums[label];
                ++s.count, s.x += x, s.y += y, s.xx += x * x, s.xy += x * y, s.yy += y * y;
            }
    int checked = 0;
    for (const Nucleus& n : sequence.frames[0]) {
        if (n.x < 15 || n.y < 15 || n.x > p.width - 15 || n.y > p.height - 15) continue;  // whole nuclei only
        ASSERT_GE(n.elongation, 1.75);
        ASSERT_LE(n.elongation, 2.5);
        const auto f = ipc::segment_features(sums.at(n.label));
        EXPECT_NEAR(f.elongation, n.elongation, 0.35) << "label " << n.label;
        EXPECT_NEAR(f.area, M_PI * n.radius * n.radius, 0.15 * f.area) << "label " << n.label;
        ++checked;
    }
    EXPECT_GT(checked, 20);
}

TEST(HardConditionsTest, DimNucleiAreTheAskedShareAtTheirLevel) {
    SequenceParameters p = still_frame(4);
    p.cells = 300;
    p.width = p.height = 512;
    p.dim_fraction = 0.25;
    p.dim_level = 0.3;
    int dim = 0;
    const CellSequence sequence = simulate_cells(p);
    const auto& nuclei = sequence.frames[0];
    for (const Nucleus& n : nuclei) {
        // Normal nuclei lie within 0.75 .. 1.25 contrast, dim ones at 0.3 of that.
        const bool is_dim = n.brightness < 0.5 * p.contrast;
        EXPECT_TRUE(is_dim ? n.brightness >= 0.3 * 0.75 * p.contrast && n.brightness <= 0.3 * 1.25 * p.contrast
                           : n.brightness >= 0.75 * p.contrast)
            << n.brightness;
        dim += is_dim;
    }
    EXPECT_NEAR(dim / double(nuclei.size()), 0.25, 0.06);
}

TEST(HardConditionsTest, UnevenBackgroundVariesByItsAmplitudeOverTheImage) {
    FluorescenceStyle style;
    style.background = 200;
    style.uneven = 1000;
    style.noise = 0;
    SeededRandom noise(1);
    const auto image = render_fluorescence({}, 200, 100, style, noise);
    // Half a ramp to the right, plus half a bright patch left of the centre.
    EXPECT_NEAR(image(0, 0), 200 + 1000 * uneven_background(0, 0, 200, 100), 0.5);
    EXPECT_LT(image(0, 0), 300);
    EXPECT_GT(image(60, 65), 800);   // inside the patch
    EXPECT_GT(image(199, 0), 650);   // the top of the ramp
    unsigned short lowest = 65535, highest = 0;
    for (auto v : image) lowest = std::min(lowest, v), highest = std::max(highest, v);
    EXPECT_NEAR(highest - lowest, 800, 200);
}

}  // namespace
