#pragma once
#include <limits>

#include "config/schema.h"
#include "model/state.h"

namespace ostrel {

// The times of a track's last two contacts. previous_time is minus infinity
// until the track takes its second contact. Key "time_previous_time_state".
class TimePreviousTimeState : public state::StateTemplate<TimePreviousTimeState> {
public:
    static const char* key() { return "time_previous_time_state"; }
    static constexpr double no_previous_time = -std::numeric_limits<double>::infinity();

    TimePreviousTimeState(double time, double previous_time)
        : time(time), previous_time(previous_time) {}
    // What the element holds.
    struct Form {
        double time = 0.0;
        double previous_time = no_previous_time;
    };
    static const config::Schema<Form>& schema();

    explicit TimePreviousTimeState(const Form& form) : time(form.time), previous_time(form.previous_time) {}
    explicit TimePreviousTimeState(const xml::Querier& querier) : TimePreviousTimeState(schema().bind(querier)) {}
    void write(xml::OutStream& out) const override;

    const double time;
    const double previous_time;
};

}  // namespace ostrel
