#pragma once
#include <cstdint>

#include "config/schema.h"
#include "model/state.h"

namespace ostrel {

// An external identity number. Key "mops_id_state"; child "id".
class MopsIdState : public state::StateTemplate<MopsIdState> {
public:
    static const char* key() { return "mops_id_state"; }

    explicit MopsIdState(std::int32_t id) : id(id) {}
    // What the element holds.
    struct Form {
        std::int32_t id = 0;
    };
    static const config::Schema<Form>& schema();

    explicit MopsIdState(const Form& form) : id(form.id) {}
    explicit MopsIdState(const xml::Querier& querier) : MopsIdState(schema().bind(querier)) {}
    void write(xml::OutStream& out) const override;

    const std::int32_t id;
};

}  // namespace ostrel
