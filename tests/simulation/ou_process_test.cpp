#include <gtest/gtest.h>

#include <cmath>

#include "model/states/gaussian_feature_state.h"
#include "model/states/position_state.h"
#include "simulation/ou_simulators.h"
#include "simulation_test_support.h"
#include "support/expect_message.h"

namespace {

using sim_test::composite;
using sim_test::make;

const char* const process_2d =
    "<ou_process_2d><center>1 -2</center><sigma>2 3</sigma><process_noise>4 5</process_noise>"
    "</ou_process_2d>";

TEST(OuSimulator, ZeroTimeStepLeavesThePositionUnchanged) {
    auto simulator = make(std::string("<ou_simulator_2d>") + process_2d +
                          "<dt>0</dt></ou_simulator_2d>");
    auto target = composite("<position_state_2d><position>7.5 -1.25</position></position_state_2d>");
    for (int k = 0; k < 5; ++k) simulator->simulate(*target);
    EXPECT_EQ(target->get<state::PositionState<2>>().position, (nmrc::Vector<2>{7.5, -1.25}));
}

TEST(OuSimulator, AxisWithoutProcessNoiseNeverMovesWhileTheOtherDoes) {
    auto simulator = make(
        "<ou_simulator_2d><ou_process_2d><center>0 0</center><sigma>1 1</sigma>"
        "<process_noise>0 2</process_noise></ou_process_2d><dt>0.5</dt></ou_simulator_2d>");
    auto target = composite("<position_state_2d><position>4 4</position></position_state_2d>");
    bool second_moved = false;
    for (int k = 0; k < 20; ++k) {
        simulator->simulate(*target);
        const auto& p = target->get<state::PositionState<2>>().position;
        EXPECT_EQ(p[0], 4.0);
        second_moved = second_moved || p[1] != 4.0;
    }
    EXPECT_TRUE(second_moved);
}

TEST(OuGaussianFeatureSimulator, AdvancesTheMeanKeepsSigmaAndMovesTimeByDt) {
    auto simulator = make(
        "<ou_gaussian_feature_simulator_1d><ou_process_1d><center>0</center><sigma>1</sigma>"
        "<process_noise>0</process_noise></ou_process_1d><dt>0.25</dt>"
        "</ou_gaussian_feature_simulator_1d>");
    auto target = composite(
        "<gaussian_feature_state_1d><time>2</time><mean>3</mean><sigma>0.5</sigma>"
        "</gaussian_feature_state_1d>");
    simulator->simulate(*target);
    const auto& feature = target->get<state::GaussianFeatureState<1>>();
    EXPECT_EQ(feature.time, 2.25);
    EXPECT_EQ(feature.mean[0], 3.0);
    EXPECT_EQ(feature.sigma[0], 0.5);
}

TEST(OuSimulator, SteppingATargetWithoutPositionFailsAsACast) {
    auto simulator = make(std::string("<ou_simulator_2d>") + process_2d +
                          "<dt>1</dt></ou_simulator_2d>");
    state::CompositeState empty;
    EXPECT_MESSAGE(simulator->simulate(empty), "State::cast()");
}

struct BadConfiguration {
    const char* element;
    const char* message;
};

TEST(OuSimulator, RejectsInconsistentParametersNamingThem) {
    const BadConfiguration cases[] = {
        {"<ou_simulator_1d><ou_process_1d><center>0</center><sigma>0</sigma>"
         "<process_noise>1</process_noise></ou_process_1d><dt>1</dt></ou_simulator_1d>",
         "ou_process_1d: sigma must be positive and finite: sigma[0] = 0 (in ou_simulator_1d)"},
        {"<ou_simulator_1d><ou_process_1d><center>0</center><sigma>1</sigma>"
         "<process_noise>-1</process_noise></ou_process_1d><dt>1</dt></ou_simulator_1d>",
         "ou_process_1d: process_noise must be non-negative and finite: process_noise[0] = -1 (in "
         "ou_simulator_1d)"},
        {"<ou_simulator_1d><ou_process_1d><center>0</center><sigma>1</sigma>"
         "<process_noise>1</process_noise></ou_process_1d><dt>-0.5</dt></ou_simulator_1d>",
         "ou_simulator_1d: dt must be non-negative and finite: dt = -0.5"},
        {"<ou_gaussian_feature_vector_steady_state_simulator><ou_process_1d><center>0</center>"
         "<sigma>1</sigma><process_noise>1</process_noise></ou_process_1d><size>0</size>"
         "</ou_gaussian_feature_vector_steady_state_simulator>",
         "ou_gaussian_feature_vector_steady_state_simulator: size must be positive: size = 0"},
        {"<mou_simulator_1d><mou_process_1d><center>0</center><position_sigma>1</position_sigma>"
         "<velocity_sigma>1</velocity_sigma><process_noise>1</process_noise></mou_process_1d>"
         "<dt>0</dt></mou_simulator_1d>",
         "mou_simulator_1d: dt must be positive and finite: dt = 0"},
    };
    for (const auto& c : cases) EXPECT_MESSAGE(make(c.element), c.message);
}

TEST(MouSimulator, CriticallyDampedProcessIsRejected) {
    // kappa = 1, gamma = q / (2 v^2) = 2: gamma^2 = 4 kappa
    EXPECT_MESSAGE(make("<mou_steady_state_simulator_1d><mou_process_1d><center>0</center>"
                        "<position_sigma>1</position_sigma><velocity_sigma>1</velocity_sigma>"
                        "<process_noise>4</process_noise></mou_process_1d>"
                        "</mou_steady_state_simulator_1d>"),
                   "non-distinct eigenvalues found in ConstantVelocitySDE");
}

}  // namespace
