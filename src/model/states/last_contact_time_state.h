#pragma once
#include "config/schema.h"
#include "model/state.h"

namespace ostrel {

// The time of a track's latest contact. Key "last_contact_time_state".
// It is read from a child "last_contact_time" but written as the element's
// own text; the written form is therefore not taken back by the reader.
class LastContactTimeState : public state::StateTemplate<LastContactTimeState> {
public:
    static const char* key() { return "last_contact_time_state"; }

    explicit LastContactTimeState(double last_contact_time)
        : last_contact_time(last_contact_time) {}
    // What the element holds.
    struct Form {
        double last_contact_time = 0.0;
    };
    static const config::Schema<Form>& schema();

    explicit LastContactTimeState(const Form& form) : last_contact_time(form.last_contact_time) {}
    explicit LastContactTimeState(const xml::Querier& querier) : LastContactTimeState(schema().bind(querier)) {}
    void write(xml::OutStream& out) const override;

    const double last_contact_time;
};

}  // namespace ostrel
