#include "model/states/str_m_of_n_state.h"

namespace str {

const config::Schema<StrMofNState::Form>& StrMofNState::schema() {
    static const auto schema =
        config::Schema<Form>(key(), "m-of-n counters with a count of minimum speed marks")
            .required(&Form::m, "m", "the contacts counted")
            .required(&Form::n, "n", "the scans (contact or coast passes) since the track began")
            .required(&Form::o, "o", "the contacts that carried a minimum speed mark");
    return schema;
}

void StrMofNState::write(xml::OutStream& out) const {
    out.tag(key());
    out.element("m", m).element("n", n).element("o", o);
    out.end_tag();
}

}  // namespace str
