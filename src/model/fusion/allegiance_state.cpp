#include "model/fusion/allegiance_state.h"

namespace fusion {

const config::Schema<AllegianceState::Form>& AllegianceState::schema() {
    static const auto schema =
        config::Schema<Form>(key(), "the allegiance of a platform")
            .text(&Form::allegiance, "the allegiance number");
    return schema;
}

}  // namespace fusion
