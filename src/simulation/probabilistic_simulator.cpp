#include "simulation/probabilistic_simulator.h"

namespace smltr {

ProbabilisticSimulator::ProbabilisticSimulator(const xml::Querier& querier) {
    std::vector<double> weights;
    for (const xml::Querier& choice : querier.tag("distribution").tags()) {
        weights.push_back(choice.read<double>("weight"));
        children_.push_back(make_child_simulator(choice.tag("simulator")));
    }
    distribution_.set_mass(weights);
}

void ProbabilisticSimulator::simulate(state::CompositeState& target) {
    children_[distribution_.sample()]->simulate(target);
}

}  // namespace smltr
