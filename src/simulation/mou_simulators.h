#pragma once
#include <memory>
#include <string>

#include "config/schema.h"
#include "model/states/position_velocity_state.h"
#include "numerics/cholesky.h"
#include "numerics/mou_process.h"
#include "numerics/random.h"
#include "simulation/simulator.h"

namespace truth {

// Draws a fresh PositionVelocityState<N> from the stationary law of its
// mean-reverting process and puts it in place of any old one: all positions
// first (p_i = c_i + position_sigma_i z), then all velocities
// (v_i = velocity_sigma_i z). Key "mou_steady_state_simulator_" + N + "d";
// child "mou_process_" + N + "d".
template <int N>
class MouSteadyStateSimulator : public smltr::Simulator {
public:
    static std::string key() { return "mou_steady_state_simulator_" + std::to_string(N) + "d"; }

    struct Parameters {
        typename nmrc::MouProcess<N>::Parameters process;
    };
    static const config::Schema<Parameters>& schema() {
        static const auto schema =
            config::Schema<Parameters>(key(), "draws a position and velocity from the stationary law of an MOU "
                                              "process")
                .nested(&Parameters::process, nmrc::MouProcess<N>::schema(), "the process");
        return schema;
    }

    explicit MouSteadyStateSimulator(const Parameters& parameters)
        : process_(schema().validate(parameters).process) {}
    explicit MouSteadyStateSimulator(const xml::Querier& querier)
        : MouSteadyStateSimulator(schema().bind(querier)) {}

    void simulate(state::CompositeState& target) override {
        nmrc::Vector<N> position;
        nmrc::Vector<N> velocity;
        for (int i = 0; i < N; ++i)
            position[i] = process_.center()[i] + process_.position_sigma()[i] * normal_.next();
        for (int i = 0; i < N; ++i) velocity[i] = process_.velocity_sigma()[i] * normal_.next();
        target.insert(std::make_shared<const state::PositionVelocityState<N>>(position, velocity));
    }

private:
    nmrc::MouProcess<N> process_;
    nmrc::NormalGenerator normal_;
};

// Advances the target's PositionVelocityState<N> by dt with the exact
// transition of the linear SDE: with x = (p - c, v),
// x' = Phi(dt) x + L z, L L^T = Q(dt), z 2N standard normal deviates
// (positions first). Key "mou_simulator_" + N + "d"; children
// "mou_process_" + N + "d", "dt" (positive: over dt = 0 nothing can move and
// Q(0) = 0 has no Cholesky factor).
template <int N>
class MouSimulator : public smltr::Simulator {
public:
    static std::string key() { return "mou_simulator_" + std::to_string(N) + "d"; }

    struct Parameters {
        typename nmrc::MouProcess<N>::Parameters process;
        double dt = 1;
    };
    static const config::Schema<Parameters>& schema() {
        static const auto schema =
            config::Schema<Parameters>(key(), "advances a position and velocity by one step of an MOU process")
                .nested(&Parameters::process, nmrc::MouProcess<N>::schema(), "the process")
                .required(&Parameters::dt, "dt", "the time step", config::positive_finite());
        return schema;
    }

    explicit MouSimulator(const Parameters& parameters)
        : process_(schema().validate(parameters).process),
          transition_(process_.transition(parameters.dt)),
          noise_factor_(process_.covariance(parameters.dt)) {}
    explicit MouSimulator(const xml::Querier& querier) : MouSimulator(schema().bind(querier)) {}

    void simulate(state::CompositeState& target) override {
        const auto& old = target.get<state::PositionVelocityState<N>>();
        nmrc::Vector<2 * N> x;
        x.set_segment(0, old.position - process_.center());
        x.set_segment(N, old.velocity);
        nmrc::Vector<2 * N> z;
        for (int k = 0; k < 2 * N; ++k) z[k] = normal_.next();
        // x' = Phi x + L z
        const nmrc::Vector<2 * N> next = transition_ * x + noise_factor_.lower_times(z);
        target.insert(std::make_shared<const state::PositionVelocityState<N>>(
            process_.center() + next.template segment<N>(0), next.template segment<N>(N)));
    }

private:
    nmrc::MouProcess<N> process_;
    nmrc::Matrix<2 * N, 2 * N> transition_;
    nmrc::CholeskyDecomposition<2 * N> noise_factor_;
    nmrc::NormalGenerator normal_;
};

}  // namespace truth
