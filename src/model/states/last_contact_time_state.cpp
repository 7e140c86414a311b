#include "model/states/last_contact_time_state.h"

namespace ostrel {

const config::Schema<LastContactTimeState::Form>& LastContactTimeState::schema() {
    static const auto schema =
        config::Schema<Form>(key(), "the time of a track's last contact")
            .required(&Form::last_contact_time, "last_contact_time", "the time of the last contact", config::finite_text());
    return schema;
}

void LastContactTimeState::write(xml::OutStream& out) const {
    out.element(key(), last_contact_time);
}

}  // namespace ostrel
