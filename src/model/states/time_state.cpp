#include "model/states/time_state.h"

#include "model/states/own_text.h"

namespace state {

TimeState::TimeState(const xml::Querier& querier) : time(read_own_finite<double>(querier)) {}

void TimeState::write(xml::OutStream& out) const { out.element(key(), time); }

}  // namespace state
