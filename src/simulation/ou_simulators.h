#pragma once
#include <memory>
#include <string>

#include "model/states/position_state.h"
#include "numerics/random.h"
#include "simulation/ou_process.h"
#include "simulation/simulator.h"

namespace truth {

// Draws a fresh PositionState<N> from the stationary law of its OU process
// (x_i = c_i + sigma_i z_i) and puts it in place of any old one. Key
// "ou_steady_state_simulator_" + N + "d"; child "ou_process_" + N + "d".
template <int N>
class OuSteadyStateSimulator : public smltr::Simulator {
public:
    static std::string key() { return "ou_steady_state_simulator_" + std::to_string(N) + "d"; }

    explicit OuSteadyStateSimulator(const xml::Querier& querier)
        : process_(OuProcess<N>::read_child(querier)) {}

    void simulate(state::CompositeState& target) override {
        target.insert(std::make_shared<const state::PositionState<N>>(
            process_.draw_stationary(normal_)));
    }

private:
    OuProcess<N> process_;
    nmrc::NormalGenerator normal_;
};

// Advances the target's PositionState<N> by dt:
// x_i' = c_i + (x_i - c_i) a_i + s_i z_i (coefficients of ou_axis_step).
// Key "ou_simulator_" + N + "d"; children "ou_process_" + N + "d", "dt".
// A target without a PositionState<N> fails with "State::cast()".
template <int N>
class OuSimulator : public smltr::Simulator {
public:
    static std::string key() { return "ou_simulator_" + std::to_string(N) + "d"; }

    explicit OuSimulator(const xml::Querier& querier)
        : process_(OuProcess<N>::read_child(querier)), dt_(querier.read<double>("dt")) {
        require_time_step(key(), dt_);
        step_ = process_.step(dt_);
    }

    void simulate(state::CompositeState& target) override {
        const auto& old = target.get<state::PositionState<N>>();
        target.insert(std::make_shared<const state::PositionState<N>>(
            process_.advance(old.position, step_, normal_)));
    }

    const typename OuProcess<N>::Step& step() const { return step_; }

private:
    OuProcess<N> process_;
    double dt_;
    typename OuProcess<N>::Step step_;
    nmrc::NormalGenerator normal_;
};

}  // namespace truth
