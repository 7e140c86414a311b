#pragma once
#include <vector>

#include "config/schema.h"
#include "simulation/simulator.h"

namespace smltr {

// Applies its children in document order. Key "composite_simulator"; every
// child element is a simulator (an empty composite does nothing).
class CompositeSimulator : public Simulator {
public:
    struct Parameters {
        std::vector<SimulatorPtr> children;
    };
    static const config::Schema<Parameters>& schema();

    explicit CompositeSimulator(const Parameters& parameters);
    explicit CompositeSimulator(std::vector<SimulatorPtr> children) : CompositeSimulator(Parameters{children}) {}
    explicit CompositeSimulator(const xml::Querier& querier) : CompositeSimulator(schema().bind(querier)) {}
    void simulate(state::CompositeState& target) override;

    const std::vector<SimulatorPtr>& children() const { return children_; }

private:
    std::vector<SimulatorPtr> children_;
};

}  // namespace smltr
