#pragma once
#include "config/schema.h"
#include "model/state.h"
#include "simulation/simulator.h"

namespace truth {

// Inserts one state, built once by the state factory from its only child
// element; every target shares that same state object. Key
// "const_state_inserter".
class ConstStateInserter : public smltr::Simulator {
public:
    struct Parameters {
        state::StatePtr state;
    };
    static const config::Schema<Parameters>& schema();

    explicit ConstStateInserter(const Parameters& parameters);
    explicit ConstStateInserter(const xml::Querier& querier) : ConstStateInserter(schema().bind(querier)) {}
    void simulate(state::CompositeState& target) override;

private:
    state::StatePtr state_;
};

// Keeps its only child element and builds a fresh state from it on every
// call. The element is checked once at construction by building it. Key
// "xml_state_inserter".
class XmlStateInserter : public smltr::Simulator {
public:
    struct Parameters {
        xml::Querier element;  // the state element, checked by building it once
    };
    static const config::Schema<Parameters>& schema();

    explicit XmlStateInserter(const Parameters& parameters) : element_(schema().validate(parameters).element) {}
    explicit XmlStateInserter(const xml::Querier& querier) : XmlStateInserter(schema().bind(querier)) {}
    void simulate(state::CompositeState& target) override;

private:
    xml::Querier element_;  // shares the parsed tree, keeping it alive
};

}  // namespace truth
