#include "model/contact_state.h"

namespace state {

ContactState::ContactState(const xml::Querier& querier)
    : contact(std::make_shared<CompositeState>(querier.tag())) {}

void ContactState::write(xml::OutStream& out) const {
    out.tag("contact_state");
    contact->write(out);
    out.end_tag();
}

}  // namespace state
