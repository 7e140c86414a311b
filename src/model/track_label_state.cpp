#include "model/track_label_state.h"

namespace state {

TrackLabelState::TrackLabelState(const xml::Querier& querier) {
    xml::Querier label_tag = querier.tag("label");
    label.src = label_tag.read<std::int32_t>("src");
    label.id = label_tag.read<std::int32_t>("id");
}

void TrackLabelState::write(xml::OutStream& out) const { write_as(out, "track_label_state"); }

void TrackLabelState::write_as(xml::OutStream& out, const char* key) const {
    out.tag(key).tag("label");
    out.element("src", label.src).element("id", label.id);
    out.end_tag().end_tag();
}

}  // namespace state
