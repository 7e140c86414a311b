#include "model/states/mops_id_state.h"

namespace ostrel {

const config::Schema<MopsIdState::Form>& MopsIdState::schema() {
    static const auto schema =
        config::Schema<Form>(key(), "an identity number")
            .required(&Form::id, "id", "the number");
    return schema;
}

void MopsIdState::write(xml::OutStream& out) const {
    out.tag(key()).element("id", id).end_tag();
}

}  // namespace ostrel
