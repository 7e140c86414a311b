#pragma once
#include <cstdint>

#include "config/schema.h"
#include "model/state.h"

namespace ostrel {

// m-of-n confirmation counters: m counts the contacts, n the scans (contact
// or coast passes) since the track began. Key "m_of_n_state".
class MofNState : public state::StateTemplate<MofNState> {
public:
    static const char* key() { return "m_of_n_state"; }

    MofNState(std::int32_t m, std::int32_t n) : m(m), n(n) {}
    // What the element holds.
    struct Form {
        std::int32_t m = 0;
        std::int32_t n = 0;
    };
    static const config::Schema<Form>& schema();

    explicit MofNState(const Form& form) : m(form.m), n(form.n) {}
    explicit MofNState(const xml::Querier& querier) : MofNState(schema().bind(querier)) {}
    void write(xml::OutStream& out) const override;

    const std::int32_t m;
    const std::int32_t n;
};

}  // namespace ostrel
