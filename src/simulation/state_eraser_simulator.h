#pragma once
#include "simulation/simulator.h"

namespace snsr {

// Removes the state of kind T from the composite state; nothing happens when
// there is none. No configuration.
template <class T>
class StateEraserSimulator : public smltr::Simulator {
public:
    StateEraserSimulator() = default;
    explicit StateEraserSimulator(const xml::Querier&) {}
    void simulate(state::CompositeState& target) override { target.erase<T>(); }
};

}  // namespace snsr
