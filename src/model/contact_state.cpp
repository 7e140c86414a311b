#include "model/contact_state.h"

namespace state {

const config::Schema<ContactState::Form>& ContactState::schema() {
    static const auto schema = config::Schema<Form>(key(), "the states of one contact, in a frame's meta-data")
                                   .contents(&Form::contact, "a composite_state element", "the contact's states",
                                             [](const xml::Querier& element) {
                                                 return std::make_shared<CompositeState>(element.tag());
                                             });
    return schema;
}

void ContactState::write(xml::OutStream& out) const {
    out.tag("contact_state");
    contact->write(out);
    out.end_tag();
}

}  // namespace state
