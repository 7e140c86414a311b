#include "model/states/filter_key_state.h"

#include "model/states/own_text.h"

namespace ostrel {

FilterKeyState::FilterKeyState(const xml::Querier& querier)
    : filter_key(state::read_own_text<std::int32_t>(querier)) {}

void FilterKeyState::write(xml::OutStream& out) const { out.element(key(), filter_key); }

}  // namespace ostrel
