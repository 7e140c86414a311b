#pragma once
#include <cstdint>

#include "config/schema.h"
#include "model/state.h"

namespace ostrel {

// Consecutive missed detections of a track. Key
// "missed_detection_count_state". Read from a child "count", written as the
// element's own text (the written form is not taken back by the reader).
class MissedDetectionCountState : public state::StateTemplate<MissedDetectionCountState> {
public:
    static const char* key() { return "missed_detection_count_state"; }

    explicit MissedDetectionCountState(std::int32_t count) : count(count) {}
    // What the element holds.
    struct Form {
        std::int32_t count = 0;
    };
    static const config::Schema<Form>& schema();

    explicit MissedDetectionCountState(const Form& form) : count(form.count) {}
    explicit MissedDetectionCountState(const xml::Querier& querier) : MissedDetectionCountState(schema().bind(querier)) {}
    void write(xml::OutStream& out) const override;

    const std::int32_t count;
};

}  // namespace ostrel
