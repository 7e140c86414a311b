#include "simulation/simulator.h"

namespace smltr {

SimulatorFactory& factory() {
    static SimulatorFactory instance;
    return instance;
}

SimulatorPtr make_child_simulator(const xml::Querier& parent) {
    const std::vector<xml::Querier> children = parent.tags();
    if (children.empty())
        throw util::Exception("no simulator element inside " + parent.name());
    return factory().create(children.front());
}

}  // namespace smltr
