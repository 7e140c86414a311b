// Contact frames through filter_definer (the shipped 2-D cell-tracking
// filter set of the filter library) -> multiple_hypothesis_tracker ->
// track_report_frame_to_composite_state_frame_converter. Needs the "filters"
// folder in the build.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

#include "filters/filter_registry.h"
#include "model/composite_state_frame.h"
#include "model/states/confirmed_state.h"
#include "model/states/position_estimate_state.h"
#include "model/states/position_velocity_estimate_state.h"
#include "model/states/sensor_type_state.h"
#include "model/states/time_state.h"
#include "model/track_label_state.h"
#include "support/recorder.h"
#include "tracker/filter_definer.h"
#include "tracker/multiple_hypothesis_tracker.h"
#include "tracker/track_report_frame_to_composite_state_frame_converter.h"

namespace {

using state::Label;

struct Cell {
    double x0, y0, vx, vy;
    int last;  // last frame in which it is seen
    double x(int t) const { return x0 + vx * t; }
    double y(int t) const { return y0 + vy * t; }
};

state::CompositeStatePtr contact(double time, double x, double y, std::int32_t number) {
    auto states = std::make_shared<state::CompositeState>();
    states->insert(std::make_shared<const state::TimeState>(time));
    states->insert(std::make_shared<const state::TrackLabelState>(Label{0, number}));
    states->insert(std::make_shared<const state::PositionEstimateState<2>>(
        nmrc::Normal<2>({x, y}, nmrc::SymmetricMatrix<2>::diagonal({2.0, 2.0})), time));
    return states;
}

class TrackerWithFilterLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        // Silently: other tests may have registered some keys already.
        for (const ostrel::FilterKey& entry : ostrel::filter_keys())
            ostrel::filter_factory().registerize(entry.key, entry.creator);
        auto definer = std::make_shared<ostrel::FilterDefiner>(xml::Querier::open(
            std::string(OSTREL_SOURCE_DIR) + "/examples/filters/cell_tracking_2d.xml"));
        auto tracker = std::make_shared<ostrel::MultipleHypothesisTracker>(xml::Querier::parse(
            "<?xml?>\n<multiple_hypothesis_tracker><assignment_algorithm>optimal"
            "</assignment_algorithm><nscan>2</nscan></multiple_hypothesis_tracker>"));
        auto converter = std::make_shared<ostrel::TrackReportFrameToCompositeStateFrameConverter>();
        definer->insert_child(tracker);
        tracker->insert_child(converter);
        converter->insert_child(recorder);
        first = definer;
    }

    cmpnt::ComponentPtr first;
    std::shared_ptr<test_support::Recorder> recorder = std::make_shared<test_support::Recorder>();
};

TEST_F(TrackerWithFilterLibrary, CrossingCellsKeepLabelsVanishedCellEndsSpuriousContactIsNeverConfirmed) {
    // A and B cross at frame 5 (three pixels apart, well inside each other's
    // gate); C is last seen in frame 4;
    // a single spurious contact appears in frame 3.
    const std::vector<Cell> cells{{100, 100, 3, 0, 11}, {130, 103, -3, 0, 11}, {300, 300, 1, 1, 4}};
    const int frames = 12;
    std::int32_t number = 0;
    for (int t = 0; t < frames; ++t) {
        auto frame = std::make_shared<frame::CompositeStateFrame>(t);
        frame->meta_data->insert(std::make_shared<const snsr::SensorTypeState>("cells"));
        frame->meta_data->insert(std::make_shared<const state::TimeState>(t));
        for (const Cell& cell : cells)
            if (t <= cell.last) frame->composite_states.push_back(contact(t, cell.x(t), cell.y(t), number++));
        if (t == 3) frame->composite_states.push_back(contact(t, 450, 50, number++));
        first->push_frame(frame);
    }
    first->push_frame(nullptr);
    ASSERT_EQ(recorder->frames.size(), frames + 1u);

    std::map<std::size_t, Label> label_of;
    std::set<Label> spurious;
    std::vector<std::size_t> reported(frames);
    for (int t = 0; t < frames; ++t) {
        const auto& out = recorder->frames[t]->cast<frame::CompositeStateFrame>();
        reported[t] = out.composite_states.size();
        for (const auto& track : out.composite_states) {
            const Label label = track->get<state::TrackLabelState>().label;
            const auto position = track->get<state::PositionVelocityEstimateState<2>>().position();
            if (std::hypot(position[0] - 450, position[1] - 50) < 5) {
                spurious.insert(label);
                EXPECT_FALSE(track->has<ostrel::ConfirmedState>()) << "frame " << t;
                continue;
            }
            // The nearest cell; a coasting track follows its prediction, a
            // little less closely.
            std::size_t nearest = 0;
            double best = 1e300;
            for (std::size_t i = 0; i < cells.size(); ++i) {
                const double d = std::hypot(position[0] - cells[i].x(t), position[1] - cells[i].y(t));
                if (d < best) best = d, nearest = i;
            }
            const int matched = best <= (t <= cells[nearest].last ? 1.0 : 3.0) ? 1 : 0;
            if (matched) {
                auto known = label_of.emplace(nearest, label).first;
                EXPECT_EQ(known->second, label) << "cell " << nearest << " frame " << t;
                // Two contacts in the first three scans confirm a track.
                EXPECT_EQ(track->has<ostrel::ConfirmedState>(), t >= 1) << "cell " << nearest << " frame " << t;
            }
            EXPECT_EQ(matched, 1) << "track " << label << " at frame " << t;
        }
    }
    ASSERT_EQ(label_of.size(), 3u);
    EXPECT_NE(label_of[0], label_of[1]);
    EXPECT_EQ(spurious.size(), 1u);
    // C coasts in frames 5 and 6 and ends in frame 7; the spurious track
    // coasts in frames 4 and 5 and ends in frame 6.
    EXPECT_EQ(reported, (std::vector<std::size_t>{3, 3, 3, 4, 4, 4, 3, 2, 2, 2, 2, 2}));
}

}  // namespace
