#pragma once
#include "config/schema.h"
#include "model/composite_state.h"

namespace state {

// The true states of a simulated target. Key "truth_state"; one child, the
// "composite_state" element of the held set.
class TruthState : public StateTemplate<TruthState> {
public:
    static const char* key() { return "truth_state"; }

    explicit TruthState(CompositeStatePtr truth);
    // What the element holds.
    struct Form {
        CompositeStatePtr truth;
    };
    static const config::Schema<Form>& schema();

    explicit TruthState(const Form& form) : TruthState(form.truth) {}
    explicit TruthState(const xml::Querier& querier) : TruthState(schema().bind(querier)) {}
    void write(xml::OutStream& out) const override;

    const CompositeStatePtr truth;
};

}  // namespace state
