#pragma once
#include <cstdint>

#include "model/state.h"

namespace fusion {

// The allegiance code of a platform (its meaning is the configuration's).
// Key "allegiance_state"; the integer is the element's text.
class AllegianceState : public state::StateTemplate<AllegianceState> {
public:
    static const char* key() { return "allegiance_state"; }

    explicit AllegianceState(std::int32_t allegiance) : allegiance(allegiance) {}
    explicit AllegianceState(const xml::Querier& querier);
    void write(xml::OutStream& out) const override { out.element(key(), allegiance); }

    const std::int32_t allegiance;
};

}  // namespace fusion
