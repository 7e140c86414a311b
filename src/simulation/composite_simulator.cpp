#include "simulation/composite_simulator.h"

namespace smltr {

namespace {

std::vector<SimulatorPtr> every_child(const xml::Querier& element) {
    std::vector<SimulatorPtr> children;
    for (const xml::Querier& child : element.tags()) children.push_back(factory().create(child));
    return children;
}

}  // namespace

// An empty composite does nothing, so no child is required.
const config::Schema<CompositeSimulator::Parameters>& CompositeSimulator::schema() {
    using P = Parameters;
    static const auto schema =
        config::Schema<P>("composite_simulator", "applies its child simulators in document order")
            .contents(&P::children, "simulator elements", "the simulators, applied in order", &every_child, false);
    return schema;
}

CompositeSimulator::CompositeSimulator(const Parameters& parameters) : children_(parameters.children) {
    for (const auto& child : children_)
        if (!child) throw util::Exception("composite_simulator: a child simulator is null");
}

void CompositeSimulator::simulate(state::CompositeState& target) {
    for (const auto& child : children_) child->simulate(target);
}

}  // namespace smltr
