#pragma once
#include <cstdint>

#include "model/state.h"

namespace ostrel {

// An external identity number. Key "mops_id_state"; child "id".
class MopsIdState : public state::StateTemplate<MopsIdState> {
public:
    static const char* key() { return "mops_id_state"; }

    explicit MopsIdState(std::int32_t id) : id(id) {}
    explicit MopsIdState(const xml::Querier& querier);
    void write(xml::OutStream& out) const override;

    const std::int32_t id;
};

}  // namespace ostrel
