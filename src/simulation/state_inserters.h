#pragma once
#include "model/state.h"
#include "simulation/simulator.h"

namespace truth {

// Inserts one state, built once by the state factory from its only child
// element; every target shares that same state object. Key
// "const_state_inserter".
class ConstStateInserter : public smltr::Simulator {
public:
    explicit ConstStateInserter(const xml::Querier& querier);
    void simulate(state::CompositeState& target) override;

private:
    state::StatePtr state_;
};

// Keeps its only child element and builds a fresh state from it on every
// call. The element is checked once at construction by building it. Key
// "xml_state_inserter".
class XmlStateInserter : public smltr::Simulator {
public:
    explicit XmlStateInserter(const xml::Querier& querier);
    void simulate(state::CompositeState& target) override;

private:
    xml::Querier element_;  // shares the parsed tree, keeping it alive
};

}  // namespace truth
