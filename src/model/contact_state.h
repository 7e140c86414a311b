#pragma once
#include "config/schema.h"
#include "model/composite_state.h"

namespace state {

// The states of one contact, placed into a frame's meta-data. Key
// "contact_state".
class ContactState : public StateTemplate<ContactState> {
public:
    static const char* key() { return "contact_state"; }
    explicit ContactState(CompositeStatePtr contact) : contact(std::move(contact)) {}
    // What the element holds: one composite_state child.
    struct Form {
        CompositeStatePtr contact;
    };
    static const config::Schema<Form>& schema();

    explicit ContactState(const xml::Querier& querier) : contact(schema().bind(querier).contact) {}
    void write(xml::OutStream& out) const override;

    CompositeStatePtr contact;
};

}  // namespace state
