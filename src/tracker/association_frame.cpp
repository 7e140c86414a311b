#include "tracker/association_frame.h"

namespace frame {
namespace {

void write_states(xml::OutStream& out, const char* name,
                  const std::vector<state::CompositeStatePtr>& states) {
    out.tag(name);
    for (const auto& set : states) set->write(out);
    out.end_tag();
}

// An unset side of an association is written as an empty element.
void write_state(xml::OutStream& out, const char* name, const state::CompositeStatePtr& set) {
    out.tag(name);
    if (set) set->write(out);
    out.end_tag();
}

}  // namespace

const config::Schema<AssociationFrame::Form>& AssociationFrame::schema() {
    static const auto schema =
        config::Schema<Form>(key(), "a pairing of the states of two lists, with a score per pair")
            .required(&Form::time, "time", "the frame's time", config::finite_text())
            .unread("localization_error_sum", "a number", "the summed localization error (read as 0)")
            .unread("association_list_size", "an integer", "the number of associations")
            .unread("state_list0", "an integer, then a list of composite_state elements",
                    "the length of the first list, then the list")
            .unread("state_list1", "an integer, then a list of composite_state elements",
                    "the length of the second list, then the list")
            .unread("association_list", "a list of association elements", "the scored pairs");
    return schema;
}

void AssociationFrame::write(xml::OutStream& out) const {
    out.tag(key());
    out.element("time", time);
    out.element("localization_error_sum", localization_error_sum);
    out.element("association_list_size", association_list.size());
    // The two list sizes first, then the lists themselves under the same names.
    out.element("state_list0", state_list0.size());
    out.element("state_list1", state_list1.size());
    write_states(out, "state_list0", state_list0);
    write_states(out, "state_list1", state_list1);
    out.tag("association_list");
    for (const Association& association : association_list) {
        out.tag("association");
        out.element("score", association.score);
        write_state(out, "state0", association.state0);
        write_state(out, "state1", association.state1);
        out.end_tag();
    }
    out.end_tag();
    out.end_tag();
}

}  // namespace frame
