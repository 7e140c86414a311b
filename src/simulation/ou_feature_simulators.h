#pragma once
#include <memory>
#include <string>

#include "model/states/gaussian_feature_state.h"
#include "model/states/gaussian_feature_vector_state.h"
#include "numerics/random.h"
#include "simulation/ou_process.h"
#include "simulation/simulator.h"
#include "simulation/target_time.h"

namespace truth {

// The OU mathematics applied to the mean of a target's Gaussian features.
// A truth feature is exact: its sigma is zero. Its time is the target's
// TimeState when there is one; otherwise 0 for a fresh draw and the old time
// plus dt for a step.

// Key "ou_gaussian_feature_steady_state_simulator_" + N + "d"; child
// "ou_process_" + N + "d". Inserts a GaussianFeatureState<N> drawn from the
// stationary law.
template <int N>
class OuGaussianFeatureSteadyStateSimulator : public smltr::Simulator {
public:
    static std::string key() {
        return "ou_gaussian_feature_steady_state_simulator_" + std::to_string(N) + "d";
    }

    explicit OuGaussianFeatureSteadyStateSimulator(const xml::Querier& querier)
        : process_(OuProcess<N>::read_child(querier)) {}

    void simulate(state::CompositeState& target) override {
        target.insert(std::make_shared<const state::GaussianFeatureState<N>>(
            smltr::target_time(target, 0.0), process_.draw_stationary(normal_), nmrc::Vector<N>()));
    }

private:
    OuProcess<N> process_;
    nmrc::NormalGenerator normal_;
};

// Key "ou_gaussian_feature_simulator_" + N + "d"; children "ou_process_" + N
// + "d", "dt". Advances the mean of the target's GaussianFeatureState<N>.
template <int N>
class OuGaussianFeatureSimulator : public smltr::Simulator {
public:
    static std::string key() { return "ou_gaussian_feature_simulator_" + std::to_string(N) + "d"; }

    explicit OuGaussianFeatureSimulator(const xml::Querier& querier)
        : process_(OuProcess<N>::read_child(querier)), dt_(querier.read<double>("dt")) {
        require_time_step(key(), dt_);
        step_ = process_.step(dt_);
    }

    void simulate(state::CompositeState& target) override {
        const auto& old = target.get<state::GaussianFeatureState<N>>();
        const double time = smltr::target_time(target, old.time + dt_);
        target.insert(std::make_shared<const state::GaussianFeatureState<N>>(
            time, process_.advance(old.mean, step_, normal_), old.sigma));
    }

private:
    OuProcess<N> process_;
    double dt_;
    typename OuProcess<N>::Step step_;
    nmrc::NormalGenerator normal_;
};

// Key "ou_gaussian_feature_vector_steady_state_simulator"; children
// "ou_process_1d" (applied to every component) and "size" (positive).
// Inserts a GaussianFeatureVectorState of that size.
class OuGaussianFeatureVectorSteadyStateSimulator : public smltr::Simulator {
public:
    static const char* key() { return "ou_gaussian_feature_vector_steady_state_simulator"; }

    explicit OuGaussianFeatureVectorSteadyStateSimulator(const xml::Querier& querier);
    void simulate(state::CompositeState& target) override;

private:
    OuProcess<1> process_;
    int size_;
    nmrc::NormalGenerator normal_;
};

// Key "ou_gaussian_feature_vector_simulator"; children "ou_process_1d",
// "size", "dt". Advances every component of the target's
// GaussianFeatureVectorState, which must have that size.
class OuGaussianFeatureVectorSimulator : public smltr::Simulator {
public:
    static const char* key() { return "ou_gaussian_feature_vector_simulator"; }

    explicit OuGaussianFeatureVectorSimulator(const xml::Querier& querier);
    void simulate(state::CompositeState& target) override;

private:
    OuProcess<1> process_;
    int size_;
    double dt_;
    OuAxisStep step_;
    nmrc::NormalGenerator normal_;
};

}  // namespace truth
