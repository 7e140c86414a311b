#include "model/states/track_parent_state.h"

#include "model/states/label_xml.h"
#include "model/states/state_schemas.h"

namespace ostrel {

const config::Schema<TrackParentState::Form>& TrackParentState::schema() {
    static const auto schema = config::Schema<Form>(key(), "the track a track descends from")
                                   .nested(&Form::label, state::label_schema(), "its label");
    return schema;
}

void TrackParentState::write(xml::OutStream& out) const {
    out.tag(key());
    state::write_label(out, parent);
    out.end_tag();
}

}  // namespace ostrel
