#include "model/track_label_state.h"

#include "model/states/state_schemas.h"

namespace state {

const config::Schema<TrackLabelState::Form>& TrackLabelState::schema() {
    static const auto schema = config::Schema<Form>(key(), "the label of a contact or a track")
                                   .nested(&Form::label, label_schema(), "the label");
    return schema;
}

void TrackLabelState::write(xml::OutStream& out) const { write_as(out, "track_label_state"); }

void TrackLabelState::write_as(xml::OutStream& out, const char* key) const {
    out.tag(key).tag("label");
    out.element("src", label.src).element("id", label.id);
    out.end_tag().end_tag();
}

}  // namespace state
