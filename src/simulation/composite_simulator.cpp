#include "simulation/composite_simulator.h"

namespace smltr {

CompositeSimulator::CompositeSimulator(const xml::Querier& querier) {
    for (const xml::Querier& child : querier.tags()) children_.push_back(factory().create(child));
}

CompositeSimulator::CompositeSimulator(std::vector<SimulatorPtr> children)
    : children_(std::move(children)) {
    for (const auto& child : children_)
        if (!child) throw util::Exception("composite_simulator: a child simulator is null");
}

void CompositeSimulator::simulate(state::CompositeState& target) {
    for (const auto& child : children_) child->simulate(target);
}

}  // namespace smltr
