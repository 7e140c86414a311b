#pragma once
#include "config/schema.h"
#include "model/label.h"
#include "model/state.h"

namespace state {

// The label a contact carried before it joined a track. Key
// "contact_label_state"; child "label" with "src" and "id".
class ContactLabelState : public StateTemplate<ContactLabelState> {
public:
    static const char* key() { return "contact_label_state"; }

    explicit ContactLabelState(Label label) : label(label) {}
    // What the element holds: the "label" child.
    struct Form {
        Label label;
    };
    static const config::Schema<Form>& schema();

    explicit ContactLabelState(const xml::Querier& querier) : label(schema().bind(querier).label) {}
    void write(xml::OutStream& out) const override;

    const Label label;
};

}  // namespace state
