#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "imaging/synthetic/synthetic_sequence.h"
#include "imaging/imaging_test_support.h"
#include "support/expect_message.h"

namespace {

using namespace synth;

SequenceParameters small(std::uint64_t seed) {
    SequenceParameters p;
    p.seed = seed;
    p.width = 96;
    p.height = 80;
    p.cells = 8;
    p.frames = 30;
    return p;
}

// The nuclei of a frame by label.
std::map<int, Nucleus> by_label(const std::vector<Nucleus>& nuclei) {
    std::map<int, Nucleus> map;
    for (const Nucleus& n : nuclei) map[n.label] = n;
    return map;
}

TEST(SyntheticSequenceTest, NucleiNeverComeCloserThanTheSpacing) {
    // The default keeps a gap; 0.9 lets nuclei overlap a little, and crowded
    // ones then do come that close.
    for (const double spacing : {1.25, 0.9}) {
        SequenceParameters p = small(3);
        p.cells = 25;  // crowded, fast and dividing: many moves are refused
        p.speed = 3.0;
        p.division_rate = 0.2;
        p.entry_rate = 1.0;
        p.spacing = spacing;
        const CellSequence sequence = simulate_cells(p);
        int overlapping = 0;
        for (std::size_t f = 0; f < sequence.frames.size(); ++f) {
            const auto& nuclei = sequence.frames[f];
            for (std::size_t i = 0; i < nuclei.size(); ++i)
                for (std::size_t j = i + 1; j < nuclei.size(); ++j) {
                    const double d = std::hypot(nuclei[i].x - nuclei[j].x, nuclei[i].y - nuclei[j].y);
                    const double sum = nuclei[i].radius + nuclei[j].radius;
                    EXPECT_GE(d, spacing * sum)
                        << "frame " << f << ", labels " << nuclei[i].label << " and " << nuclei[j].label;
                    overlapping += d < sum;
                }
        }
        EXPECT_EQ(overlapping > 0, spacing < 1) << "spacing " << spacing;
    }
}

TEST(SyntheticSequenceTest, EveryTrackIsVisibleInExactlyItsFramesAndDivisionsAreBinary) {
    for (std::uint64_t seed : {1u, 2u, 3u}) {
        SequenceParameters p = small(seed);
        p.division_rate = 0.1;
        p.entry_rate = 0.5;
        p.speed = 2.5;
        const CellSequence sequence = simulate_cells(p);
        ASSERT_EQ(sequence.frames.size(), 30u);

        std::map<int, std::vector<int>> daughters;
        for (std::size_t i = 0; i < sequence.tracks.size(); ++i) {
            const TrackRecord& t = sequence.tracks[i];
            EXPECT_EQ(t.label, static_cast<int>(i) + 1);
            EXPECT_LE(t.begin, t.end);
            if (t.parent != 0) daughters[t.parent].push_back(t.label);
            for (int f = 0; f < p.frames; ++f) {
                const auto nuclei = by_label(sequence.frames[f]);
                const bool alive = f >= t.begin && f <= t.end;
                ASSERT_EQ(nuclei.count(t.label) == 1, alive) << "seed " << seed << " label " << t.label << " frame " << f;
                if (alive) {
                    EXPECT_GT(visible_pixels(nuclei.at(t.label), p.width, p.height), 0);
                }
            }
        }
        for (const auto& [mother, children] : daughters) {
            ASSERT_EQ(children.size(), 2u) << "mother " << mother;
            for (int child : children) EXPECT_EQ(sequence.tracks[child - 1].begin, sequence.tracks[mother - 1].end + 1);
        }
    }
}

struct EventCase {
    const char* name;
    double speed;
    double division_rate;
    double entry_rate;
    bool divisions, entries, exits;
};

TEST(SyntheticSequenceTest, EventsOccurExactlyWhenTheirParametersAllowThem) {
    const EventCase cases[] = {
        {"still", 0.0, 0.0, 0.0, false, false, false},
        {"dividing", 0.0, 0.3, 0.0, true, false, false},
        {"entering", 0.0, 0.0, 1.0, false, true, false},
        {"fast", 6.0, 0.0, 0.0, false, false, true},
    };
    for (const EventCase& c : cases) {
        SequenceParameters p = small(11);
        p.speed = c.speed;
        p.division_rate = c.division_rate;
        p.entry_rate = c.entry_rate;
        const CellSequence sequence = simulate_cells(p);
        const SequenceEvents events = count_events(sequence);
        EXPECT_EQ(events.divisions > 0, c.divisions) << c.name;
        EXPECT_EQ(events.entries > 0, c.entries) << c.name;
        EXPECT_EQ(events.exits > 0, c.exits) << c.name;
        EXPECT_EQ(sequence.frames.front().size(), 8u) << c.name;
        if (c.speed == 0.0)  // nothing moves: a nucleus stays where it was placed
            for (const auto& frame : sequence.frames)
                for (const Nucleus& n : frame)
                    if (n.label <= 8) {
                        EXPECT_DOUBLE_EQ(n.x, by_label(sequence.frames.front()).at(n.label).x);
                    }
    }
}

TEST(SyntheticSequenceTest, TheSeedAloneDecidesTheSequence) {
    auto positions = [](std::uint64_t seed) {
        std::vector<double> values;
        for (const auto& frame : simulate_cells(small(seed)).frames)
            for (const Nucleus& n : frame) values.insert(values.end(), {double(n.label), n.x, n.y, n.radius});
        return values;
    };
    EXPECT_EQ(positions(5), positions(5));
    EXPECT_NE(positions(5), positions(6));
}

TEST(SyntheticSequenceTest, TooManyCellsForTheImageIsRefusedWithTheCounts) {
    SequenceParameters p = small(1);
    p.width = p.height = 16;
    p.cells = 30;
    EXPECT_THROW_CONTAINING(simulate_cells(p), "cannot place 30 nuclei of radius 5 apart in a 16 x 16 image",
                            "use fewer cells, a smaller radius or a larger size");
}

TEST(SyntheticSequenceTest, ParametersOutOfRangeAreNamedWithTheirValue) {
    struct Case {
        void (*change)(SequenceParameters&);
        const char* message;
    };
    const Case cases[] = {
        {[](SequenceParameters& p) { p.width = 15; }, "width must be from 16 to 4096, width = 15"},
        {[](SequenceParameters& p) { p.height = 5000; }, "height must be from 16 to 4096, height = 5000"},
        {[](SequenceParameters& p) { p.cells = -1; }, "cells must be from 0 to 2000, cells = -1"},
        {[](SequenceParameters& p) { p.frames = 0; }, "frames must be from 1 to 1000, frames = 0"},
        {[](SequenceParameters& p) { p.radius = 1.5; }, "radius must be from 2 to 50, radius = 1.5"},
        {[](SequenceParameters& p) { p.speed = -1; }, "speed must be from 0 to 50, speed = -1"},
        {[](SequenceParameters& p) { p.division_rate = NAN; },
         "division_rate must be from 0 to 1, division_rate = nan"},
        {[](SequenceParameters& p) { p.entry_rate = 11; }, "entry_rate must be from 0 to 10, entry_rate = 11"},
        {[](SequenceParameters& p) { p.noise = -2; }, "noise must be from 0 to 10000, noise = -2"},
        {[](SequenceParameters& p) { p.contrast = 0; }, "contrast must be from 1 to 60000, contrast = 0"},
        {[](SequenceParameters& p) { p.background = 30000, p.contrast = 30000; },
         "background + uneven + 1.25 contrast must not exceed 65535, background = 30000, uneven = 0, contrast = 30000"},
        {[](SequenceParameters& p) { p.background = 100, p.uneven = 1000, p.brightness_spread = 0.3, p.contrast = 37000; },
         "background + uneven + 1.75 contrast must not exceed 65535, background = 100, uneven = 1000, contrast = 37000"},
        {[](SequenceParameters& p) { p.spacing = 0.7; }, "spacing must be from 0.8 to 4, spacing = 0.7"},
        {[](SequenceParameters& p) { p.elongation = 0.5; }, "elongation must be from 1 to 3, elongation = 0.5"},
        {[](SequenceParameters& p) { p.dim_fraction = 2; }, "dim_fraction must be from 0 to 1, dim_fraction = 2"},
        {[](SequenceParameters& p) { p.blur = 0; }, "blur must be from 0.1 to 10, blur = 0"},
    };
    for (const Case& c : cases) {
        SequenceParameters p;
        c.change(p);
        EXPECT_MESSAGE(simulate_cells(p), c.message);
    }
}

}  // namespace
