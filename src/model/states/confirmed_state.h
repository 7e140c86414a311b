#pragma once
#include "model/state.h"

namespace ostrel {

// Its presence marks a confirmed track. Key "confirmed_state"; an empty
// element.
class ConfirmedState : public state::StateTemplate<ConfirmedState> {
public:
    static const char* key() { return "confirmed_state"; }

    ConfirmedState() = default;
    explicit ConfirmedState(const xml::Querier&) {}
    void write(xml::OutStream& out) const override { out.tag(key()).end_tag(); }
};

}  // namespace ostrel
