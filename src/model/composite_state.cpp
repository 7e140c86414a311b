#include "model/composite_state.h"

namespace state {

CompositeState::CompositeState(const xml::Querier& querier) {
    for (const xml::Querier& child : querier.tags()) insert(StatePtr(factory().create(child)));
}

void CompositeState::write(xml::OutStream& out) const {
    out.tag("composite_state");
    for (const auto& entry : states_) entry.second->write(out);
    out.end_tag();
}

}  // namespace state
