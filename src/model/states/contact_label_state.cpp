#include "model/states/contact_label_state.h"

#include "model/states/label_xml.h"
#include "model/states/state_schemas.h"

namespace state {

const config::Schema<ContactLabelState::Form>& ContactLabelState::schema() {
    static const auto schema = config::Schema<Form>(key(), "the label a contact carried before it joined a track")
                                   .nested(&Form::label, label_schema(), "its label");
    return schema;
}

void ContactLabelState::write(xml::OutStream& out) const {
    out.tag(key());
    write_label(out, label);
    out.end_tag();
}

}  // namespace state
