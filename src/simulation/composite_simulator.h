#pragma once
#include <vector>

#include "simulation/simulator.h"

namespace smltr {

// Applies its children in document order. Key "composite_simulator"; every
// child element is a simulator (an empty composite does nothing).
class CompositeSimulator : public Simulator {
public:
    explicit CompositeSimulator(const xml::Querier& querier);
    explicit CompositeSimulator(std::vector<SimulatorPtr> children);
    void simulate(state::CompositeState& target) override;

    const std::vector<SimulatorPtr>& children() const { return children_; }

private:
    std::vector<SimulatorPtr> children_;
};

}  // namespace smltr
