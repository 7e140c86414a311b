#pragma once
#include "config/parameterless.h"
#include "model/state.h"

namespace ostrel {

// Its presence marks a confirmed track. Key "confirmed_state"; an empty
// element.
class ConfirmedState : public state::StateTemplate<ConfirmedState> {
public:
    static const char* key() { return "confirmed_state"; }

    ConfirmedState() = default;
    static const config::Schema<config::NoParameters>& schema() {
        return config::parameterless(key(),
                                    "its presence marks a confirmed track");
    }
    explicit ConfirmedState(const xml::Querier& querier) { schema().bind(querier); }
    void write(xml::OutStream& out) const override { out.tag(key()).end_tag(); }
};

}  // namespace ostrel
