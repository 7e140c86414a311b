#pragma once
#include <memory>
#include <string>

#include "config/schema.h"
#include "model/states/position_state.h"
#include "numerics/ou_process.h"
#include "numerics/random.h"
#include "simulation/simulator.h"

namespace truth {

// Draws a fresh PositionState<N> from the stationary law of its OU process
// (x_i = c_i + sigma_i z_i) and puts it in place of any old one. Key
// "ou_steady_state_simulator_" + N + "d"; child "ou_process_" + N + "d".
template <int N>
class OuSteadyStateSimulator : public smltr::Simulator {
public:
    static std::string key() { return "ou_steady_state_simulator_" + std::to_string(N) + "d"; }

    struct Parameters {
        typename nmrc::OuProcess<N>::Parameters process;
    };
    static const config::Schema<Parameters>& schema() {
        static const auto schema =
            config::Schema<Parameters>(key(), "draws a position from the stationary law of an OU process")
                .nested(&Parameters::process, nmrc::OuProcess<N>::schema(), "the process");
        return schema;
    }

    explicit OuSteadyStateSimulator(const Parameters& parameters)
        : process_(schema().validate(parameters).process) {}
    explicit OuSteadyStateSimulator(const xml::Querier& querier) : OuSteadyStateSimulator(schema().bind(querier)) {}

    void simulate(state::CompositeState& target) override {
        target.insert(std::make_shared<const state::PositionState<N>>(process_.draw_stationary(normal_)));
    }

private:
    nmrc::OuProcess<N> process_;
    nmrc::NormalGenerator normal_;
};

// Advances the target's PositionState<N> by dt:
// x_i' = c_i + (x_i - c_i) a_i + s_i z_i (coefficients of OuAxis::step).
// Key "ou_simulator_" + N + "d"; children "ou_process_" + N + "d", "dt".
// A target without a PositionState<N> fails with "State::cast()".
template <int N>
class OuSimulator : public smltr::Simulator {
public:
    static std::string key() { return "ou_simulator_" + std::to_string(N) + "d"; }

    struct Parameters {
        typename nmrc::OuProcess<N>::Parameters process;
        double dt = 0;
    };
    static const config::Schema<Parameters>& schema() {
        static const auto schema =
            config::Schema<Parameters>(key(), "advances a position by one step of an OU process")
                .nested(&Parameters::process, nmrc::OuProcess<N>::schema(), "the process")
                .required(&Parameters::dt, "dt", "the time step", config::non_negative_finite());
        return schema;
    }

    explicit OuSimulator(const Parameters& parameters)
        : process_(schema().validate(parameters).process), step_(process_.step(parameters.dt)) {}
    explicit OuSimulator(const xml::Querier& querier) : OuSimulator(schema().bind(querier)) {}

    void simulate(state::CompositeState& target) override {
        const auto& old = target.get<state::PositionState<N>>();
        target.insert(
            std::make_shared<const state::PositionState<N>>(process_.advance(old.position, step_, normal_)));
    }

    const typename nmrc::OuProcess<N>::Step& step() const { return step_; }

private:
    nmrc::OuProcess<N> process_;
    typename nmrc::OuProcess<N>::Step step_;
    nmrc::NormalGenerator normal_;
};

}  // namespace truth
