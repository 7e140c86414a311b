// Frames of contacts through the configured chain filter_definer ->
// multiple_hypothesis_tracker ->
// track_report_frame_to_composite_state_frame_converter, with the test
// filters of tree_test_support registered under their keys.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <optional>

#include "model/composite_state_frame.h"
#include "model/states/sensor_type_state.h"
#include "model/track_label_state.h"
#include "pipeline/component_chain.h"
#include "support/recorder.h"
#include "tracker/filter_definer.h"
#include "tracker/multiple_hypothesis_tracker.h"
#include "tracker/structural_filters.h"
#include "tracker/track_report_frame_to_composite_state_frame_converter.h"
#include "tracker/tree_test_support.h"

namespace {

using state::Label;

const char* const kConfiguration = R"(<?xml?>
<component_chain>
  <components>
    <filter_definer>
      <terminator><test_missed_at_least><limit>2</limit></test_missed_at_least></terminator>
      <zombie_coaster><no_op/></zombie_coaster>
      <filters>
        <camera>
          <initializer><test_start_track><score>-3</score></test_start_track></initializer>
          <updater><test_position_gate><gate>1.5</gate><velocity>true</velocity></test_position_gate></updater>
          <coaster><test_coast><cost>5</cost><max_missed>2</max_missed></test_coast></coaster>
          <continuation_updater><test_position_gate><gate>1.5</gate><velocity>true</velocity></test_position_gate></continuation_updater>
        </camera>
      </filters>
    </filter_definer>
    <multiple_hypothesis_tracker>
      <assignment_algorithm>optimal</assignment_algorithm>
      <nscan>2</nscan>
    </multiple_hypothesis_tracker>
    <track_report_frame_to_composite_state_frame_converter/>
  </components>
</component_chain>
)";

void register_keys() {
    tree_test::register_test_keys();
    using ostrel::Filter;
    ostrel::filter_factory().registerize("no_op", util::create<const Filter, ostrel::NoOp>);
    using cmpnt::Component;
    auto& components = cmpnt::factory();
    components.registerize("component_chain", util::create<Component, cmpnt::ComponentChain>);
    components.registerize("filter_definer", util::create<Component, ostrel::FilterDefiner>);
    components.registerize("multiple_hypothesis_tracker",
                           util::create<Component, ostrel::MultipleHypothesisTracker>);
    components.registerize(
        "track_report_frame_to_composite_state_frame_converter",
        util::create<Component, ostrel::TrackReportFrameToCompositeStateFrameConverter>);
}

struct Target {
    double start;
    double speed;
    int first;
    int last;  // last frame with a contact
    double at(int t) const { return start + speed * t; }
    bool present(int t) const { return t >= first && t <= last; }
};

TEST(TrackerPipeline, CrossingTargetsKeepTheirLabelsAndVanishedOnesEnd) {
    register_keys();
    cmpnt::ComponentPtr chain = cmpnt::factory().create(xml::Querier::parse(kConfiguration));
    auto recorder = std::make_shared<test_support::Recorder>();
    chain->insert_child(recorder);

    // Two targets crossing at frame 5 (a little apart, so the crossing frame
    // itself has an answer), a third that vanishes after frame 4, and one
    // spurious contact in frame 3.
    const std::vector<Target> targets{{0.0, 1.0, 0, 11}, {10.1, -1.0, 0, 11}, {30.0, 0.2, 0, 4}};
    const int frames = 12;
    std::int32_t number = 0;
    for (int t = 0; t < frames; ++t) {
        auto frame = std::make_shared<frame::CompositeStateFrame>(t);
        frame->meta_data->insert(std::make_shared<const snsr::SensorTypeState>("camera"));
        for (const Target& target : targets)
            if (target.present(t))
                frame->composite_states.push_back(
                    tree_test::contact_states(Label{0, number++}, target.at(t)));
        if (t == 3) frame->composite_states.push_back(tree_test::contact_states(Label{0, number++}, 50.0));
        chain->push_frame(frame);
    }
    chain->push_frame(nullptr);
    ASSERT_EQ(recorder->frames.size(), frames + 1u);
    EXPECT_EQ(recorder->frames.back(), nullptr);

    std::map<std::size_t, Label> label_of;
    std::vector<std::size_t> reported(frames);
    std::optional<Label> spurious;
    int spurious_frames = 0;
    for (int t = 0; t < frames; ++t) {
        const auto& out = recorder->frames[t]->cast<frame::CompositeStateFrame>();
        EXPECT_DOUBLE_EQ(out.time, t);
        reported[t] = out.composite_states.size();
        for (const auto& track : out.composite_states) {
            const Label label = track->get<state::TrackLabelState>().label;
            const double x = tree_test::position_of(*track);
            if (std::fabs(x - 50.0) < 1e-9) {
                if (spurious) {
                    EXPECT_EQ(*spurious, label);
                }
                spurious = label;
                ++spurious_frames;
                continue;
            }
            bool matched = false;
            for (std::size_t i = 0; i < targets.size(); ++i) {
                // Contacts are exact; a coasting track moves on by its velocity.
                if (std::fabs(x - targets[i].at(t)) > 1e-9) continue;
                matched = true;
                auto known = label_of.emplace(i, label).first;
                EXPECT_EQ(known->second, label) << "target " << i << " frame " << t;
            }
            EXPECT_TRUE(matched) << "track at " << x << " in frame " << t;
        }
    }
    ASSERT_EQ(label_of.size(), 3u);
    EXPECT_NE(label_of[0], label_of[1]);
    // The vanished target coasts two frames (5, 6), then ends; so does the
    // spurious contact's track (4, 5).
    EXPECT_EQ(reported, (std::vector<std::size_t>{3, 3, 3, 4, 4, 4, 3, 2, 2, 2, 2, 2}));
    EXPECT_EQ(spurious_frames, 3);
}

}  // namespace
