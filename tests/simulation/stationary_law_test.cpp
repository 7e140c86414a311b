#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "model/states/gaussian_feature_state.h"
#include "model/states/gaussian_feature_vector_state.h"
#include "model/states/position_state.h"
#include "model/states/position_velocity_state.h"
#include "simulation_test_support.h"

namespace {

using sim_test::composite;
using sim_test::make;

// One law to check: a simulator applied `samples` times to one target (a
// steady-state simulator draws afresh each time, a stepping one moves the
// target along), the coordinates read after each call, and the stationary
// mean and sigma of each coordinate. Successive states of a stepping
// simulator are correlated; `correlation_factor` divides the sample count to
// give the effective number of independent samples (a safe over-estimate of
// the integrated autocorrelation time).
struct LawCase {
    std::string name;
    std::string simulator;
    std::string initial_states;
    std::function<std::vector<double>(const state::CompositeState&)> coordinates;
    std::vector<double> means;
    std::vector<double> sigmas;
    int samples;
    double correlation_factor;
};

std::vector<double> position_2d(const state::CompositeState& s) {
    const auto& p = s.get<state::PositionState<2>>().position;
    return {p[0], p[1]};
}

std::vector<double> position_velocity_2d(const state::CompositeState& s) {
    const auto& pv = s.get<state::PositionVelocityState<2>>();
    return {pv.position[0], pv.position[1], pv.velocity[0], pv.velocity[1]};
}

std::vector<double> feature_2d(const state::CompositeState& s) {
    const auto& f = s.get<state::GaussianFeatureState<2>>().mean;
    return {f[0], f[1]};
}

std::vector<double> feature_vector(const state::CompositeState& s) {
    const auto& f = s.get<state::GaussianFeatureVectorState>().mean;
    return {f[0], f[1], f[2]};
}

const std::string ou_2d =
    "<ou_process_2d><center>1 -2</center><sigma>2 3</sigma><process_noise>4 5</process_noise>"
    "</ou_process_2d>";
// kappa = 1/4, gamma = 1/2: an underdamped mean-reverting motion.
const std::string mou_2d =
    "<mou_process_2d><center>10 -5</center><position_sigma>2 4</position_sigma>"
    "<velocity_sigma>1 2</velocity_sigma><process_noise>1 4</process_noise></mou_process_2d>";
const std::string ou_1d =
    "<ou_process_1d><center>3</center><sigma>0.5</sigma><process_noise>0.5</process_noise>"
    "</ou_process_1d>";

std::vector<LawCase> law_cases() {
    return {
        {"ou steady state", "<ou_steady_state_simulator_2d>" + ou_2d + "</ou_steady_state_simulator_2d>",
         "", position_2d, {1, -2}, {2, 3}, 20000, 1},
        {"ou stepping", "<ou_simulator_2d>" + ou_2d + "<dt>1</dt></ou_simulator_2d>",
         "<position_state_2d><position>1 -2</position></position_state_2d>", position_2d, {1, -2},
         {2, 3}, 60000, 8},
        {"mou steady state",
         "<mou_steady_state_simulator_2d>" + mou_2d + "</mou_steady_state_simulator_2d>", "",
         position_velocity_2d, {10, -5, 0, 0}, {2, 4, 1, 2}, 20000, 1},
        {"mou stepping", "<mou_simulator_2d>" + mou_2d + "<dt>1</dt></mou_simulator_2d>",
         "<position_velocity_state_2d><position>10 -5</position><velocity>0 0</velocity>"
         "</position_velocity_state_2d>",
         position_velocity_2d, {10, -5, 0, 0}, {2, 4, 1, 2}, 60000, 12},
        {"ou feature steady state",
         "<ou_gaussian_feature_steady_state_simulator_2d>" + ou_2d +
             "</ou_gaussian_feature_steady_state_simulator_2d>",
         "", feature_2d, {1, -2}, {2, 3}, 20000, 1},
        {"ou feature vector stepping",
         "<ou_gaussian_feature_vector_simulator>" + ou_1d +
             "<size>3</size><dt>0.5</dt></ou_gaussian_feature_vector_simulator>",
         "<gaussian_feature_vector_state><time>0</time><size>3</size><mean>3 3 3</mean>"
         "<sigma>0 0 0</sigma></gaussian_feature_vector_state>",
         feature_vector, {3, 3, 3}, {0.5, 0.5, 0.5}, 60000, 8},
    };
}

class StationaryLaw : public sim_test::SeededTest {};

TEST_F(StationaryLaw, SampleMomentsMatchCentreAndSigmas) {
    for (const LawCase& c : law_cases()) {
        auto simulator = make(c.simulator);
        auto target = composite(c.initial_states);
        // Stepping starts at the centre; a short run-in forgets that start.
        for (int k = 0; k < 100; ++k) simulator->simulate(*target);
        std::vector<std::vector<double>> samples(c.means.size());
        for (int k = 0; k < c.samples; ++k) {
            simulator->simulate(*target);
            const std::vector<double> x = c.coordinates(*target);
            for (std::size_t i = 0; i < x.size(); ++i) samples[i].push_back(x[i]);
        }
        for (std::size_t i = 0; i < samples.size(); ++i)
            sim_test::expect_normal_moments(samples[i], c.means[i], c.sigmas[i],
                                            c.samples / c.correlation_factor,
                                            c.name + " coordinate " + std::to_string(i));
    }
}

}  // namespace
