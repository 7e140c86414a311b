#include "model/states/time_state.h"

namespace state {

const config::Schema<TimeState::Form>& TimeState::schema() {
    static const auto schema = config::Schema<Form>(key(), "the time of a contact")
                                   .text(&Form::time, "the time", config::finite_text());
    return schema;
}

void TimeState::write(xml::OutStream& out) const { out.element(key(), time); }

}  // namespace state
