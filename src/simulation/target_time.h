#pragma once
#include "model/composite_state.h"
#include "model/states/time_state.h"

namespace smltr {

// The time a target's states hold at: its TimeState when it has one (the
// scenario driver keeps one in every target), otherwise the fallback.
inline double target_time(const state::CompositeState& target, double fallback) {
    const auto time = target.get_ptr<state::TimeState>();
    return time ? time->time : fallback;
}

}  // namespace smltr
