#include <memory>
#include <string>

#include "simulation/ou_feature_simulators.h"

namespace truth {

namespace {

nmrc::OuAxis axis_of(const nmrc::OuProcess<1>::Parameters& process) { return nmrc::OuProcess<1>(process).axis(0); }

}  // namespace

const config::Schema<OuFeatureVectorParameters>& OuGaussianFeatureVectorSteadyStateSimulator::schema() {
    using P = Parameters;
    static const auto schema =
        config::Schema<P>(key(), "draws a Gaussian feature vector from the stationary law of an OU process")
            .nested(&P::process, nmrc::OuProcess<1>::schema(), "the process of every component")
            .required(&P::size, "size", "the number of components", config::positive<int>());
    return schema;
}

OuGaussianFeatureVectorSteadyStateSimulator::OuGaussianFeatureVectorSteadyStateSimulator(
    const Parameters& parameters)
    : process_(axis_of(schema().validate(parameters).process)), size_(parameters.size) {}

void OuGaussianFeatureVectorSteadyStateSimulator::simulate(state::CompositeState& target) {
    nmrc::DynamicVector mean(size_);
    // m_k = c + sigma z_k, component 0 first
    for (int k = 0; k < size_; ++k) mean[k] = process_.center + process_.sigma * normal_.next();
    target.insert(std::make_shared<const state::GaussianFeatureVectorState>(
        smltr::target_time(target, 0.0), std::move(mean), nmrc::DynamicVector(size_)));
}

const config::Schema<OuFeatureVectorParameters>& OuGaussianFeatureVectorSimulator::schema() {
    using P = Parameters;
    static const auto schema =
        config::Schema<P>(key(), "advances a Gaussian feature vector by one step of an OU process")
            .nested(&P::process, nmrc::OuProcess<1>::schema(), "the process of every component")
            .required(&P::size, "size", "the number of components", config::positive<int>())
            .required(&P::dt, "dt", "the time step", config::non_negative_finite());
    return schema;
}

OuGaussianFeatureVectorSimulator::OuGaussianFeatureVectorSimulator(const Parameters& parameters)
    : process_(axis_of(schema().validate(parameters).process)),
      size_(parameters.size),
      dt_(parameters.dt),
      step_(process_.step(parameters.dt)) {}

void OuGaussianFeatureVectorSimulator::simulate(state::CompositeState& target) {
    const auto& old = target.get<state::GaussianFeatureVectorState>();
    if (old.size() != size_)
        throw util::Exception(std::string(key()) + ": the target's feature vector has size " +
                              std::to_string(old.size()) + ", not size = " + std::to_string(size_));
    const double c = process_.center;
    nmrc::DynamicVector mean(size_);
    // m_k' = c + (m_k - c) a + s z_k
    for (int k = 0; k < size_; ++k) mean[k] = c + (old.mean[k] - c) * step_.a + step_.s * normal_.next();
    target.insert(std::make_shared<const state::GaussianFeatureVectorState>(
        smltr::target_time(target, old.time + dt_), std::move(mean), old.sigma));
}

}  // namespace truth
