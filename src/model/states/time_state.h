#pragma once
#include "config/schema.h"
#include "model/state.h"

namespace state {

// The time of a contact. Key "time_state"; the time is the element's text.
class TimeState : public StateTemplate<TimeState> {
public:
    static const char* key() { return "time_state"; }

    struct Form {
        double time = 0.0;
    };
    static const config::Schema<Form>& schema();

    explicit TimeState(double time) : time(time) {}
    explicit TimeState(const xml::Querier& querier) : TimeState(schema().bind(querier).time) {}
    void write(xml::OutStream& out) const override;

    const double time;
};

}  // namespace state
