#include "model/states/missed_detection_count_state.h"

namespace ostrel {

const config::Schema<MissedDetectionCountState::Form>& MissedDetectionCountState::schema() {
    static const auto schema =
        config::Schema<Form>(key(), "the count of a track's missed detections")
            .required(&Form::count, "count", "the missed detections");
    return schema;
}

void MissedDetectionCountState::write(xml::OutStream& out) const { out.element(key(), count); }

}  // namespace ostrel
