#include "model/states/state_schemas.h"

namespace state {

const config::Schema<Label>& label_schema() {
    static const auto schema = config::Schema<Label>("label", "a label: its issuing source and number")
                                   .required(&Label::src, "src", "the source that issued the label")
                                   .required(&Label::id, "id", "the number within that source");
    return schema;
}

}  // namespace state
