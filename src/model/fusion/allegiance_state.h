#pragma once
#include <cstdint>

#include "config/schema.h"
#include "model/state.h"

namespace fusion {

// The allegiance code of a platform (its meaning is the configuration's).
// Key "allegiance_state"; the integer is the element's text.
class AllegianceState : public state::StateTemplate<AllegianceState> {
public:
    static const char* key() { return "allegiance_state"; }

    explicit AllegianceState(std::int32_t allegiance) : allegiance(allegiance) {}
    // What the element holds.
    struct Form {
        std::int32_t allegiance = 0;
    };
    static const config::Schema<Form>& schema();

    explicit AllegianceState(const Form& form) : allegiance(form.allegiance) {}
    explicit AllegianceState(const xml::Querier& querier) : AllegianceState(schema().bind(querier)) {}
    void write(xml::OutStream& out) const override { out.element(key(), allegiance); }

    const std::int32_t allegiance;
};

}  // namespace fusion
