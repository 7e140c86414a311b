#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "simulation/scenario_source.h"
#include "simulation_test_support.h"
#include "support/recorder.h"

namespace {

// A scenario with every random part: steady-state births, stepping motion,
// detection draws, a correlated sensor and false contacts.
const char* const scenario =
    "<scenario_source><steps>4</steps><start_time>0</start_time><dt>1</dt><targets>4</targets>"
    "<birth_simulator><mou_steady_state_simulator_2d><mou_process_2d><center>0 0</center>"
    "<position_sigma>5 5</position_sigma><velocity_sigma>1 1</velocity_sigma>"
    "<process_noise>1 1</process_noise></mou_process_2d></mou_steady_state_simulator_2d>"
    "</birth_simulator><motion_simulator><mou_simulator_2d><mou_process_2d><center>0 0</center>"
    "<position_sigma>5 5</position_sigma><velocity_sigma>1 1</velocity_sigma>"
    "<process_noise>1 1</process_noise></mou_process_2d><dt>1</dt></mou_simulator_2d>"
    "</motion_simulator><sensor><position_velocity_state_2d_position_sensor><covariance>2 1 1 2"
    "</covariance></position_velocity_state_2d_position_sensor></sensor>"
    "<sensor_type>s</sensor_type><detection_probability>0.7</detection_probability>"
    "<false_contacts>3</false_contacts><false_contact_region><circle><center>0 0</center>"
    "<radius>10</radius></circle></false_contact_region></scenario_source>";

// The written frames of one whole run. Label sources come from a counter
// that runs on through the whole program, so they are blanked.
std::string run_once() {
    auto source = std::make_shared<smltr::ScenarioSource>(sim_test::parse(scenario));
    auto recorder = std::make_shared<test_support::Recorder>();
    source->insert_child(recorder);
    while (source->push()) {
    }
    std::string text;
    for (const auto& frame : recorder->frames)
        if (frame) text += sim_test::written(*frame);
    return std::regex_replace(text, std::regex("<src>[0-9]+</src>"), "<src/>");
}

class Repeatability : public sim_test::SeededTest {};

TEST_F(Repeatability, TheSameSeedRepeatsAWholeSimulationExactly) {
    const std::string first = run_once();
    restart();
    EXPECT_EQ(run_once(), first);
}

TEST_F(Repeatability, TheSeedSequenceGoesOnBetweenRuns) {
    const std::string first = run_once();
    EXPECT_NE(run_once(), first);
}

}  // namespace
