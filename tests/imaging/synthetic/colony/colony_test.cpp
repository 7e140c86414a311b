#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>

#include "imaging/synthetic/colony/colony_command_line.h"
#include "imaging/synthetic/colony/colony_simulation.h"
#include "imaging/synthetic/colony/rod_contacts.h"
#include "imaging/synthetic/colony/rod_renderer.h"
#include "support/expect_message.h"
#include "support/temp_dir.h"

namespace {

using namespace synth;
using namespace synth::colony;

ColonyParameters small_colony(std::uint64_t seed) {
    ColonyParameters p;
    p.seed = seed;
    p.width = p.height = 160;
    p.founders = 3;
    p.frames = 30;
    p.doubling_time = 8;
    return p;
}

std::map<int, Rod> by_label(const std::vector<Rod>& rods) {
    std::map<int, Rod> map;
    for (const Rod& rod : rods) map[rod.label] = rod;
    return map;
}

// Angle between two axes, folded into [0, pi/2].
double axis_difference(double a, double b) {
    const double d = std::fmod(std::fabs(a - b), M_PI);
    return std::min(d, M_PI - d);
}

// Every track is in the masks exactly in its frames, every division gives
// two daughters that start the frame after their mother ends, touch, lie
// along her axis and share her length; no rods overlap by more than a
// sliver.
TEST(ColonyTest, RodsDivideIntoTwoTouchingDaughtersAlongTheMothersAxis) {
    for (std::uint64_t seed : {1u, 2u}) {
        const ColonyParameters p = small_colony(seed);
        const ColonySequence colony = simulate_colony(p);
        ASSERT_EQ(colony.frames.size(), 30u);
        EXPECT_GT(final_population(colony), 3u * 4u) << "three founders double more than twice";

        std::vector<std::set<int>> painted(colony.frames.size());
        for (std::size_t f = 0; f < colony.frames.size(); ++f) {
            EXPECT_LT(largest_overlap(colony.frames[f]), 0.1 * p.cell_width) << "frame " << f;
            for (auto value : render_rod_mask(colony.frames[f], p.width, p.height))
                if (value) painted[f].insert(value);
        }
        std::map<int, std::vector<int>> daughters;
        for (const TrackRecord& t : colony.tracks) {
            for (std::size_t f = 0; f < colony.frames.size(); ++f) {
                const bool alive = static_cast<int>(f) >= t.begin && static_cast<int>(f) <= t.end;
                ASSERT_EQ(painted[f].count(t.label) == 1, alive) << "label " << t.label << " frame " << f;
            }
            if (t.parent) daughters[t.parent].push_back(t.label);
        }
        ASSERT_FALSE(daughters.empty());
        for (const auto& [mother_label, pair] : daughters) {
            ASSERT_EQ(pair.size(), 2u);
            const TrackRecord& mother = colony.tracks[mother_label - 1];
            const int birth = colony.tracks[pair[0] - 1].begin;
            ASSERT_EQ(birth, mother.end + 1);
            const Rod m = by_label(colony.frames[mother.end]).at(mother_label);
            const auto born = by_label(colony.frames[birth]);
            const Rod a = born.at(pair[0]), b = born.at(pair[1]);
            EXPECT_LT(std::fabs(gap_between(a, b)), 0.15 * p.cell_width);
            EXPECT_LT(axis_difference(std::atan2(a.y - b.y, a.x - b.x), m.angle), 0.35);
            // The mother grew by one frame's factor before dividing.
            EXPECT_NEAR((a.length + b.length) / m.length, std::exp(std::log(2.0) / p.doubling_time), 0.06);
        }
    }
}

TEST(ColonyTest, TheSameSeedGrowsTheSameColony) {
    const ColonySequence a = simulate_colony(small_colony(5)), b = simulate_colony(small_colony(5));
    ASSERT_EQ(a.tracks.size(), b.tracks.size());
    const auto& last_a = a.frames.back();
    const auto& last_b = b.frames.back();
    ASSERT_EQ(last_a.size(), last_b.size());
    for (std::size_t k = 0; k < last_a.size(); ++k) {
        EXPECT_EQ(last_a[k].x, last_b[k].x);
        EXPECT_EQ(last_a[k].angle, last_b[k].angle);
    }
}

// Two parallel rods side by side, touching along a line. Under a
// microscope the seam between them is dim; the flat profile shows none.
TEST(ColonyTest, TouchingRodsMeetAtADimSeamUnlessDrawnFlat) {
    const auto side_by_side = [](double y) {
        Rod rod;
        rod.x = 32;
        rod.y = y;
        rod.length = 30;
        rod.radius = 4;
        rod.brightness = 2000;
        return rod;
    };
    const std::vector<Rod> rods = {side_by_side(28), side_by_side(36)};  // touching at y = 32
    FluorescenceStyle style;
    style.noise = 0;
    SeededRandom unused(1);
    const auto dome = render_rod_fluorescence(rods, 64, 64, style, unused, RodProfile::dome, 1.0);
    const auto flat = render_rod_fluorescence(rods, 64, 64, style, unused, RodProfile::flat);
    const double dome_axis = dome(32, 28) - style.background;
    EXPECT_GT(dome_axis, 0.9 * 2000);
    EXPECT_LT(dome(32, 32) - style.background, 0.6 * dome_axis);  // the seam
    EXPECT_GT(flat(32, 32) - style.background, 0.95 * 2000);        // no seam
    EXPECT_EQ(dome(2, 2), style.background);
}

TEST(ColonyTest, OptionsAreReadAndBadOnesNamed) {
    const ColonyOptions o =
        parse_colony_options({"--out", "d", "--cells=4", "--size", "300x200", "--cell-width", "6",
                              "--division-length", "30", "--doubling-time=9", "--jitter", "0", "--seed", "3"});
    EXPECT_EQ(o.parameters.founders, 4);
    EXPECT_EQ(o.parameters.width, 300);
    EXPECT_EQ(o.parameters.height, 200);
    EXPECT_EQ(o.parameters.cell_width, 6.0);
    EXPECT_EQ(o.parameters.division_length, 30.0);
    EXPECT_EQ(o.parameters.doubling_time, 9.0);
    EXPECT_EQ(o.parameters.jitter, 0.0);
    EXPECT_EQ(o.parameters.seed, 3u);

    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"--cells", "4"}, "--out DIR is required"},
        {{"--out", "d", "--radius", "4"}, "unknown option for --model rods: --radius"},
        {{"--out", "d", "--cells", "2.5"}, "--cells: '2.5' is not an integer"},
        {{"--out", "d", "--jitter", "x"}, "--jitter: 'x' is not a number"},
        {{"--out", "d", "--division-length", "10"},
         "division_length must be from 20 to 400, division_length = 10"},
        {{"--out", "d", "--profile", "round"}, "--profile must be dome or flat, not 'round'"},
    };
    for (const auto& [args, message] : cases) EXPECT_MESSAGE(parse_colony_options(args), message);
}

TEST(ColonyTest, ModelRodsWritesImagesAndTruthAndUnknownModelsAreRefused) {
    test_support::TempDir dir("colony_cli");
    const std::string out = dir.str() + "/run";
    std::ostringstream text, errors;
    ASSERT_EQ(run_synth_model({"--model", "rods", "--out", out, "--size", "96", "--cells", "2", "--frames", "4"},
                              text, errors),
              0)
        << errors.str();
    EXPECT_NE(text.str().find("cells in the last frame"), std::string::npos) << text.str();
    for (const char* name : {"images/t003.tif", "truth/man_track003.tif", "truth/man_track.txt"})
        EXPECT_TRUE(std::filesystem::exists(out + "/" + name)) << name;

    std::ostringstream none, refusal;
    EXPECT_EQ(run_synth_model({"--model=cubes", "--out", out}, none, refusal), 2);
    EXPECT_NE(refusal.str().find("'cubes' is not nuclei or rods"), std::string::npos) << refusal.str();
}

}  // namespace
