#pragma once
#include "config/parameterless.h"
#include "model/state.h"

namespace ostrel {

// Its presence marks a contact set that stands for the absence of a contact.
// Key "no_contact_state"; an empty element.
class NoContactState : public state::StateTemplate<NoContactState> {
public:
    static const char* key() { return "no_contact_state"; }

    NoContactState() = default;
    static const config::Schema<config::NoParameters>& schema() {
        return config::parameterless(key(),
                                    "its presence marks a contact set that stands for the absence of a contact");
    }
    explicit NoContactState(const xml::Querier& querier) { schema().bind(querier); }
    void write(xml::OutStream& out) const override { out.tag(key()).end_tag(); }
};

}  // namespace ostrel
