#pragma once
#include <cstdint>

#include "config/schema.h"
#include "model/state.h"

namespace ostrel {

// An integer filter key, read from configuration only. Key
// "filter_key_state"; the integer is the element's text.
class FilterKeyState : public state::StateTemplate<FilterKeyState> {
public:
    static const char* key() { return "filter_key_state"; }

    explicit FilterKeyState(std::int32_t filter_key) : filter_key(filter_key) {}
    // What the element holds.
    struct Form {
        std::int32_t filter_key = 0;
    };
    static const config::Schema<Form>& schema();

    explicit FilterKeyState(const Form& form) : filter_key(form.filter_key) {}
    explicit FilterKeyState(const xml::Querier& querier) : FilterKeyState(schema().bind(querier)) {}
    void write(xml::OutStream& out) const override;

    const std::int32_t filter_key;
};

}  // namespace ostrel
