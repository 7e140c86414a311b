#include "model/states/m_of_n_state.h"

namespace ostrel {

const config::Schema<MofNState::Form>& MofNState::schema() {
    static const auto schema =
        config::Schema<Form>(key(), "m-of-n confirmation counters of a track")
            .required(&Form::m, "m", "the contacts counted")
            .required(&Form::n, "n", "the scans (contact or coast passes) since the track began");
    return schema;
}

void MofNState::write(xml::OutStream& out) const {
    out.tag(key());
    out.element("m", m).element("n", n);
    out.end_tag();
}

}  // namespace ostrel
