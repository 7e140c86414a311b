#pragma once
#include "model/state.h"

namespace state {

// The time of a contact. Key "time_state"; the time is the element's text.
class TimeState : public StateTemplate<TimeState> {
public:
    static const char* key() { return "time_state"; }

    explicit TimeState(double time) : time(time) {}
    explicit TimeState(const xml::Querier& querier);
    void write(xml::OutStream& out) const override;

    const double time;
};

}  // namespace state
