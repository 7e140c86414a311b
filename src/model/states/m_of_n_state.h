#pragma once
#include <cstdint>

#include "model/state.h"

namespace ostrel {

// m-of-n confirmation counters: m counts the contacts, n the scans (contact
// or coast passes) since the track began. Key "m_of_n_state".
class MofNState : public state::StateTemplate<MofNState> {
public:
    static const char* key() { return "m_of_n_state"; }

    MofNState(std::int32_t m, std::int32_t n) : m(m), n(n) {}
    explicit MofNState(const xml::Querier& querier);
    void write(xml::OutStream& out) const override;

    const std::int32_t m;
    const std::int32_t n;
};

}  // namespace ostrel
