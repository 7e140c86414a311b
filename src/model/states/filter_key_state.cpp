#include "model/states/filter_key_state.h"

#include "model/states/own_text.h"

namespace ostrel {

const config::Schema<FilterKeyState::Form>& FilterKeyState::schema() {
    static const auto schema =
        config::Schema<Form>(key(), "the key of the filter a track uses")
            .text(&Form::filter_key, "the filter key");
    return schema;
}

void FilterKeyState::write(xml::OutStream& out) const { out.element(key(), filter_key); }

}  // namespace ostrel
