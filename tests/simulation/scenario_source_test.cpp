#include <gtest/gtest.h>

#include <set>
#include <string>

#include "model/composite_state_frame.h"
#include "model/states/position_estimate_state.h"
#include "model/states/position_state.h"
#include "model/states/sensor_type_state.h"
#include "model/states/time_state.h"
#include "model/states/truth_state.h"
#include "model/track_label_state.h"
#include "simulation/scenario_source.h"
#include "simulation_test_support.h"
#include "support/expect_message.h"
#include "support/recorder.h"

namespace {

struct ScenarioOptions {
    std::string steps = "5";
    std::string dt = "0.5";
    std::string targets = "3";
    std::string detection_probability = "1";
    std::string false_contacts = "2";
    bool region = true;
};

std::string scenario(const ScenarioOptions& o) {
    const std::string process =
        "<ou_process_2d><center>50 25</center><sigma>10 5</sigma><process_noise>20 5</process_noise>"
        "</ou_process_2d>";
    std::string text =
        "<scenario_source><steps>" + o.steps + "</steps><start_time>10</start_time><dt>" + o.dt +
        "</dt><targets>" + o.targets +
        "</targets><birth_simulator><composite_simulator><track_labeler><first_id>1</first_id>"
        "</track_labeler><ou_steady_state_simulator_2d>" + process +
        "</ou_steady_state_simulator_2d></composite_simulator></birth_simulator>"
        "<motion_simulator><ou_simulator_2d>" + process + "<dt>0.5</dt></ou_simulator_2d>"
        "</motion_simulator><sensor><position_state_2d_position_sensor><covariance>1 0 0 1"
        "</covariance></position_state_2d_position_sensor></sensor><sensor_type>cells</sensor_type>"
        "<detection_probability>" + o.detection_probability +
        "</detection_probability><false_contacts>" + o.false_contacts + "</false_contacts>";
    if (o.region)
        text += "<false_contact_region><rectified_rectangle><p0>0 0</p0><p2>100 50</p2>"
                "</rectified_rectangle></false_contact_region>";
    return text + "</scenario_source>";
}

struct ScenarioRun {
    std::shared_ptr<smltr::ScenarioSource> source;
    std::shared_ptr<test_support::Recorder> recorder;
};

ScenarioRun start(const ScenarioOptions& options) {
    sim_test::register_all();
    ScenarioRun run{std::make_shared<smltr::ScenarioSource>(sim_test::parse(scenario(options))),
            std::make_shared<test_support::Recorder>()};
    run.source->insert_child(run.recorder);
    return run;
}

const frame::CompositeStateFrame& frame_at(const ScenarioRun& run, std::size_t k) {
    return run.recorder->frames.at(k)->cast<frame::CompositeStateFrame>();
}

TEST(ScenarioSource, EmitsOneLabelledContactFramePerStepThenTheEndOnce) {
    ScenarioRun run = start({});
    for (int k = 0; k < 5; ++k) EXPECT_TRUE(run.source->push());
    EXPECT_FALSE(run.source->push());
    EXPECT_FALSE(run.source->push());
    ASSERT_EQ(run.recorder->frames.size(), 6u);
    EXPECT_EQ(run.recorder->end_marks(), 1u);
    EXPECT_EQ(run.recorder->frames.back(), nullptr);

    std::set<int> contact_ids;
    for (std::size_t k = 0; k < 5; ++k) {
        const auto& frame = frame_at(run, k);
        const double time = 10 + 0.5 * k;
        EXPECT_EQ(frame.time, time);
        EXPECT_EQ(frame.meta_data->get<snsr::SensorTypeState>().sensor_type, "cells");
        EXPECT_EQ(frame.meta_data->get<state::TimeState>().time, time);
        ASSERT_EQ(frame.composite_states.size(), 5u);
        for (std::size_t c = 0; c < 5; ++c) {
            const state::CompositeState& contact = *frame.composite_states[c];
            EXPECT_EQ(contact.get<state::TimeState>().time, time);
            EXPECT_EQ(contact.get<state::PositionEstimateState<2>>().time, time);
            const state::Label label = contact.get<state::TrackLabelState>().label;
            EXPECT_EQ(label.src, run.source->label_source());
            EXPECT_TRUE(contact_ids.insert(label.id).second) << "contact id repeated";
            const state::CompositeState& truth = *contact.get<state::TruthState>().truth;
            EXPECT_EQ(truth.get<state::TimeState>().time, time);
            if (c < 3) {
                // A target, in target order, with its label from the birth simulator.
                EXPECT_EQ(truth.get<state::TrackLabelState>().label.id, static_cast<int>(c) + 1);
            } else {
                // A false contact: an unlabelled point inside the region.
                EXPECT_FALSE(truth.has<state::TrackLabelState>());
                const auto& p = truth.get<state::PositionState<2>>().position;
                EXPECT_TRUE(p[0] >= 0 && p[0] <= 100 && p[1] >= 0 && p[1] <= 50);
            }
        }
    }
}

TEST(ScenarioSource, FramesAlreadySentKeepTheTruthOfTheirTime) {
    ScenarioRun run = start({});
    run.source->push();
    const std::string first_frame = sim_test::written(frame_at(run, 0));
    const auto truth_0 = frame_at(run, 0).composite_states[0]->get<state::TruthState>().truth;
    const auto position_0 = truth_0->get<state::PositionState<2>>().position;
    for (int k = 0; k < 4; ++k) run.source->push();
    EXPECT_EQ(sim_test::written(frame_at(run, 0)), first_frame);
    // The target itself has moved on.
    EXPECT_NE(run.source->targets()[0]->get<state::PositionState<2>>().position, position_0);
    EXPECT_EQ(run.source->targets()[0]->get<state::TimeState>().time, 12.0);
}

TEST(ScenarioSource, UndetectedTargetsYieldNoContacts) {
    ScenarioOptions options;
    options.detection_probability = "0";
    options.false_contacts = "1";
    ScenarioRun run = start(options);
    while (run.source->push()) {
    }
    for (std::size_t k = 0; k < 5; ++k) {
        ASSERT_EQ(frame_at(run, k).composite_states.size(), 1u);
        EXPECT_FALSE(frame_at(run, k)
                         .composite_states[0]
                         ->get<state::TruthState>()
                         .truth->has<state::TrackLabelState>());
    }
}

TEST(ScenarioSource, RejectsBadParametersNamingThem) {
    struct Case {
        ScenarioOptions options;
        const char* message;
    };
    ScenarioOptions zero_dt, no_steps, bad_probability, no_region, negative_targets;
    zero_dt.dt = "0";
    no_steps.steps = "0";
    bad_probability.detection_probability = "1.5";
    no_region.region = false;
    negative_targets.targets = "-1";
    const Case cases[] = {
        {zero_dt, "scenario_source: dt must be positive and finite: dt = 0"},
        {no_steps, "scenario_source: steps must be positive: steps = 0"},
        {bad_probability,
         "scenario_source: detection_probability must be in [0, 1]: detection_probability = 1.5"},
        {no_region,
         "scenario_source: false_contacts > 0 needs a false_contact_region: false_contacts = 2"},
        {negative_targets, "scenario_source: targets must be non-negative: targets = -1"},
    };
    for (const auto& c : cases) EXPECT_MESSAGE(start(c.options), c.message);
}

}  // namespace
