#pragma once
#include "config/schema.h"
#include "simulation/simulator.h"

namespace snsr {

// Removes the state of kind T from the composite state; nothing happens when
// there is none. No configuration.
template <class T>
class StateEraserSimulator : public smltr::Simulator {
public:
    struct Parameters {};
    static const config::Schema<Parameters>& schema() {
        static const config::Schema<Parameters> schema("state_eraser",
                                                       "removes the state of one kind from the composite state");
        return schema;
    }

    StateEraserSimulator() = default;
    explicit StateEraserSimulator(const xml::Querier& querier) { schema().bind(querier); }
    void simulate(state::CompositeState& target) override { target.erase<T>(); }
};

}  // namespace snsr
