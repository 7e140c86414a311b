#include "model/states/contact_label_state.h"

#include "model/states/label_xml.h"

namespace state {

ContactLabelState::ContactLabelState(const xml::Querier& querier) : label(read_label(querier)) {}

void ContactLabelState::write(xml::OutStream& out) const {
    out.tag(key());
    write_label(out, label);
    out.end_tag();
}

}  // namespace state
