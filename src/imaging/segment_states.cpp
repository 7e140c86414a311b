#include "imaging/segment_states.h"

namespace ipc {

const config::Schema<SegmentIdState::Form>& SegmentIdState::schema() {
    static const auto schema = config::Schema<Form>(key(), "the label of the segment a contact came from")
                                   .text(&Form::id, "the segment's label");
    return schema;
}

}  // namespace ipc
