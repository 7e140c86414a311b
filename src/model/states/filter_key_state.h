#pragma once
#include <cstdint>

#include "model/state.h"

namespace ostrel {

// An integer filter key, read from configuration only. Key
// "filter_key_state"; the integer is the element's text.
class FilterKeyState : public state::StateTemplate<FilterKeyState> {
public:
    static const char* key() { return "filter_key_state"; }

    explicit FilterKeyState(std::int32_t filter_key) : filter_key(filter_key) {}
    explicit FilterKeyState(const xml::Querier& querier);
    void write(xml::OutStream& out) const override;

    const std::int32_t filter_key;
};

}  // namespace ostrel
