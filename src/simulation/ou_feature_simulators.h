#pragma once
#include <memory>
#include <string>

#include "config/schema.h"
#include "model/states/gaussian_feature_state.h"
#include "model/states/gaussian_feature_vector_state.h"
#include "numerics/ou_process.h"
#include "numerics/random.h"
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
    static std::string key() { return "ou_gaussian_feature_steady_state_simulator_" + std::to_string(N) + "d"; }

    struct Parameters {
        typename nmrc::OuProcess<N>::Parameters process;
    };
    static const config::Schema<Parameters>& schema() {
        static const auto schema =
            config::Schema<Parameters>(key(), "draws Gaussian features from the stationary law of an OU process")
                .nested(&Parameters::process, nmrc::OuProcess<N>::schema(), "the process");
        return schema;
    }

    explicit OuGaussianFeatureSteadyStateSimulator(const Parameters& parameters)
        : process_(schema().validate(parameters).process) {}
    explicit OuGaussianFeatureSteadyStateSimulator(const xml::Querier& querier)
        : OuGaussianFeatureSteadyStateSimulator(schema().bind(querier)) {}

    void simulate(state::CompositeState& target) override {
        target.insert(std::make_shared<const state::GaussianFeatureState<N>>(
            smltr::target_time(target, 0.0), process_.draw_stationary(normal_), nmrc::Vector<N>()));
    }

private:
    nmrc::OuProcess<N> process_;
    nmrc::NormalGenerator normal_;
};

// Key "ou_gaussian_feature_simulator_" + N + "d"; children "ou_process_" + N
// + "d", "dt". Advances the mean of the target's GaussianFeatureState<N>.
template <int N>
class OuGaussianFeatureSimulator : public smltr::Simulator {
public:
    static std::string key() { return "ou_gaussian_feature_simulator_" + std::to_string(N) + "d"; }

    struct Parameters {
        typename nmrc::OuProcess<N>::Parameters process;
        double dt = 0;
    };
    static const config::Schema<Parameters>& schema() {
        static const auto schema =
            config::Schema<Parameters>(key(), "advances Gaussian features by one step of an OU process")
                .nested(&Parameters::process, nmrc::OuProcess<N>::schema(), "the process")
                .required(&Parameters::dt, "dt", "the time step", config::non_negative_finite());
        return schema;
    }

    explicit OuGaussianFeatureSimulator(const Parameters& parameters)
        : process_(schema().validate(parameters).process),
          dt_(parameters.dt),
          step_(process_.step(parameters.dt)) {}
    explicit OuGaussianFeatureSimulator(const xml::Querier& querier)
        : OuGaussianFeatureSimulator(schema().bind(querier)) {}

    void simulate(state::CompositeState& target) override {
        const auto& old = target.get<state::GaussianFeatureState<N>>();
        const double time = smltr::target_time(target, old.time + dt_);
        target.insert(std::make_shared<const state::GaussianFeatureState<N>>(
            time, process_.advance(old.mean, step_, normal_), old.sigma));
    }

private:
    nmrc::OuProcess<N> process_;
    double dt_;
    typename nmrc::OuProcess<N>::Step step_;
    nmrc::NormalGenerator normal_;
};

// The parameters of both feature vector simulators: "ou_process_1d"
// (applied to every component), "size" (positive) and, for the stepping
// one, "dt".
struct OuFeatureVectorParameters {
    nmrc::OuProcess<1>::Parameters process;
    int size = 1;
    double dt = 0;
};

// Key "ou_gaussian_feature_vector_steady_state_simulator". Inserts a
// GaussianFeatureVectorState of that size.
class OuGaussianFeatureVectorSteadyStateSimulator : public smltr::Simulator {
public:
    static const char* key() { return "ou_gaussian_feature_vector_steady_state_simulator"; }

    using Parameters = OuFeatureVectorParameters;
    static const config::Schema<Parameters>& schema();

    explicit OuGaussianFeatureVectorSteadyStateSimulator(const Parameters& parameters);
    explicit OuGaussianFeatureVectorSteadyStateSimulator(const xml::Querier& querier)
        : OuGaussianFeatureVectorSteadyStateSimulator(schema().bind(querier)) {}
    void simulate(state::CompositeState& target) override;

private:
    nmrc::OuAxis process_;
    int size_;
    nmrc::NormalGenerator normal_;
};

// Key "ou_gaussian_feature_vector_simulator". Advances every component of
// the target's GaussianFeatureVectorState, which must have that size.
class OuGaussianFeatureVectorSimulator : public smltr::Simulator {
public:
    static const char* key() { return "ou_gaussian_feature_vector_simulator"; }

    using Parameters = OuFeatureVectorParameters;
    static const config::Schema<Parameters>& schema();

    explicit OuGaussianFeatureVectorSimulator(const Parameters& parameters);
    explicit OuGaussianFeatureVectorSimulator(const xml::Querier& querier)
        : OuGaussianFeatureVectorSimulator(schema().bind(querier)) {}
    void simulate(state::CompositeState& target) override;

private:
    nmrc::OuAxis process_;
    int size_;
    double dt_;
    nmrc::OuAxis::Step step_;
    nmrc::NormalGenerator normal_;
};

}  // namespace truth
