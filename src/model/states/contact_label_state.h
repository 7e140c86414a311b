#pragma once
#include "model/label.h"
#include "model/state.h"

namespace state {

// The label a contact carried before it joined a track. Key
// "contact_label_state"; child "label" with "src" and "id".
class ContactLabelState : public StateTemplate<ContactLabelState> {
public:
    static const char* key() { return "contact_label_state"; }

    explicit ContactLabelState(Label label) : label(label) {}
    explicit ContactLabelState(const xml::Querier& querier);
    void write(xml::OutStream& out) const override;

    const Label label;
};

}  // namespace state
