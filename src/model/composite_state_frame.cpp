#include "model/composite_state_frame.h"

namespace frame {

namespace {

// The first child of "meta_data", a composite_state.
state::CompositeStatePtr read_meta_data(const xml::Querier& meta_data) {
    return std::make_shared<state::CompositeState>(meta_data.tag());
}

// Every child of "composite_states", each a set of states.
std::vector<state::CompositeStatePtr> read_sets(const xml::Querier& sets) {
    std::vector<state::CompositeStatePtr> read;
    for (const xml::Querier& set : sets.tags()) read.push_back(std::make_shared<state::CompositeState>(set));
    return read;
}

}  // namespace

const config::Schema<CompositeStateFrame::Form>& CompositeStateFrame::schema() {
    static const auto schema =
        config::Schema<Form>(key(), "a frame of objects (contacts or tracks), each a set of states")
            .required(&Form::time, "time", "the frame's time", config::finite_text())
            .product(&Form::meta_data, "meta_data", "an element holding one composite_state",
                     "the states about the frame as a whole (its first child)", &read_meta_data)
            .product(&Form::composite_states, "composite_states", "a list of composite_state elements",
                     "the objects, each a set of states", &read_sets);
    return schema;
}

CompositeStateFrame::CompositeStateFrame(const Form& form)
    : Frame(form.time), composite_states(form.composite_states), meta_data(form.meta_data) {}

void CompositeStateFrame::write(xml::OutStream& out) const {
    out.tag("composite_state_frame");
    out.element("time", time);
    out.tag("meta_data");
    meta_data->write(out);
    out.end_tag();
    out.tag("composite_states");
    for (const auto& set : composite_states) set->write(out);
    out.end_tag();
    out.end_tag();
}

}  // namespace frame
