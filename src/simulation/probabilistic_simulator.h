#pragma once
#include <vector>

#include "config/schema.h"
#include "numerics/discrete.h"
#include "simulation/simulator.h"

namespace smltr {

// Applies one child drawn at random, with probability proportional to its
// weight. Key "probabilistic_simulator"; child "distribution" holding one
// element per choice (any name) with "weight" and "simulator" (one child
// element: the simulator). Negative or all-zero weights fail with the
// messages of Discrete::set_mass.
class ProbabilisticSimulator : public Simulator {
public:
    struct Choice {
        double weight = 1;
        SimulatorPtr simulator;
    };
    struct Parameters {
        std::vector<Choice> distribution;
    };
    static const config::Schema<Parameters>& schema();

    explicit ProbabilisticSimulator(const Parameters& parameters);
    explicit ProbabilisticSimulator(const xml::Querier& querier) : ProbabilisticSimulator(schema().bind(querier)) {}
    void simulate(state::CompositeState& target) override;

    std::size_t size() const { return children_.size(); }

private:
    std::vector<SimulatorPtr> children_;
    nmrc::Discrete distribution_;
};

}  // namespace smltr
