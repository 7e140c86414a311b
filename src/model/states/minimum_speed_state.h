#pragma once
#include "config/parameterless.h"
#include "model/state.h"

namespace snsr {

// Its presence marks a contact whose sensor saw at least a minimum speed.
// Key "minimum_speed_state"; an empty element.
class MinimumSpeedState : public state::StateTemplate<MinimumSpeedState> {
public:
    static const char* key() { return "minimum_speed_state"; }

    MinimumSpeedState() = default;
    static const config::Schema<config::NoParameters>& schema() { return config::parameterless(key(), "its presence marks a contact whose sensor saw at least a minimum speed"); }
    explicit MinimumSpeedState(const xml::Querier& querier) { schema().bind(querier); }
    void write(xml::OutStream& out) const override { out.tag(key()).end_tag(); }
};

}  // namespace snsr
