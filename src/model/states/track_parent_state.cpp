#include "model/states/track_parent_state.h"

#include "model/states/label_xml.h"

namespace ostrel {

TrackParentState::TrackParentState(const xml::Querier& querier) : parent(state::read_label(querier)) {}

void TrackParentState::write(xml::OutStream& out) const {
    out.tag(key());
    state::write_label(out, parent);
    out.end_tag();
}

}  // namespace ostrel
