#include <memory>
#include <string>

#include "simulation/ou_feature_simulators.h"
#include "simulation/parameter_checks.h"

namespace truth {

namespace {
int read_size(const xml::Querier& querier, const char* owner) {
    const int size = querier.read<int>("size");
    smltr::require_positive(owner, "size", size);
    return size;
}
}  // namespace

OuGaussianFeatureVectorSteadyStateSimulator::OuGaussianFeatureVectorSteadyStateSimulator(
    const xml::Querier& querier)
    : process_(OuProcess<1>::read_child(querier)), size_(read_size(querier, key())) {}

void OuGaussianFeatureVectorSteadyStateSimulator::simulate(state::CompositeState& target) {
    nmrc::DynamicVector mean(size_);
    // m_k = c + sigma z_k, component 0 first
    for (int k = 0; k < size_; ++k) mean[k] = process_.draw_stationary(normal_)[0];
    target.insert(std::make_shared<const state::GaussianFeatureVectorState>(
        smltr::target_time(target, 0.0), std::move(mean), nmrc::DynamicVector(size_)));
}

OuGaussianFeatureVectorSimulator::OuGaussianFeatureVectorSimulator(const xml::Querier& querier)
    : process_(OuProcess<1>::read_child(querier)),
      size_(read_size(querier, key())),
      dt_(querier.read<double>("dt")) {
    require_time_step(key(), dt_);
    step_ = ou_axis_step(process_.sigma()[0], process_.process_noise()[0], dt_);
}

void OuGaussianFeatureVectorSimulator::simulate(state::CompositeState& target) {
    const auto& old = target.get<state::GaussianFeatureVectorState>();
    if (old.size() != size_)
        throw util::Exception(std::string(key()) + ": the target's feature vector has size " +
                              std::to_string(old.size()) + ", not size = " +
                              std::to_string(size_));
    const double c = process_.center()[0];
    nmrc::DynamicVector mean(size_);
    // m_k' = c + (m_k - c) a + s z_k
    for (int k = 0; k < size_; ++k) mean[k] = c + (old.mean[k] - c) * step_.a + step_.s * normal_.next();
    target.insert(std::make_shared<const state::GaussianFeatureVectorState>(
        smltr::target_time(target, old.time + dt_), std::move(mean), old.sigma));
}

}  // namespace truth
