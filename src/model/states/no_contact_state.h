#pragma once
#include "model/state.h"

namespace ostrel {

// Its presence marks a contact set that stands for the absence of a contact.
// Key "no_contact_state"; an empty element.
class NoContactState : public state::StateTemplate<NoContactState> {
public:
    static const char* key() { return "no_contact_state"; }

    NoContactState() = default;
    explicit NoContactState(const xml::Querier&) {}
    void write(xml::OutStream& out) const override { out.tag(key()).end_tag(); }
};

}  // namespace ostrel
