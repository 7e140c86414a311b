#include "model/fusion/allegiance_state.h"

#include "model/states/own_text.h"

namespace fusion {

AllegianceState::AllegianceState(const xml::Querier& querier)
    : allegiance(state::read_own_text<std::int32_t>(querier)) {}

}  // namespace fusion
