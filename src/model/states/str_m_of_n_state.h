#pragma once
#include <cstdint>

#include "config/schema.h"
#include "model/state.h"

namespace str {

// m-of-n counters with a third count o: the contacts that carried a minimum
// speed mark. Key "str_m_of_n_state".
class StrMofNState : public state::StateTemplate<StrMofNState> {
public:
    static const char* key() { return "str_m_of_n_state"; }

    StrMofNState(std::int32_t m, std::int32_t n, std::int32_t o) : m(m), n(n), o(o) {}
    // What the element holds.
    struct Form {
        std::int32_t m = 0;
        std::int32_t n = 0;
        std::int32_t o = 0;
    };
    static const config::Schema<Form>& schema();

    explicit StrMofNState(const Form& form) : m(form.m), n(form.n), o(form.o) {}
    explicit StrMofNState(const xml::Querier& querier) : StrMofNState(schema().bind(querier)) {}
    void write(xml::OutStream& out) const override;

    const std::int32_t m;
    const std::int32_t n;
    const std::int32_t o;
};

}  // namespace str
