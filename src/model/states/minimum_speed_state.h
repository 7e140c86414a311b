#pragma once
#include "model/state.h"

namespace snsr {

// Its presence marks a contact whose sensor saw at least a minimum speed.
// Key "minimum_speed_state"; an empty element.
class MinimumSpeedState : public state::StateTemplate<MinimumSpeedState> {
public:
    static const char* key() { return "minimum_speed_state"; }

    MinimumSpeedState() = default;
    explicit MinimumSpeedState(const xml::Querier&) {}
    void write(xml::OutStream& out) const override { out.tag(key()).end_tag(); }
};

}  // namespace snsr
