#include "model/states/time_previous_time_state.h"

#include <limits>

namespace ostrel {

namespace {
// Reads the "previous_time" element. Minus infinity is accepted in two
// spellings: the one the standard streams write ("-inf", converted as a
// number) and the older "-1.#INF" form, recognised by a "#" as its fourth
// character.
double read_previous_time(const xml::Querier& previous) {
    const std::string& text = previous.raw_text();
    if (text.size() >= 4 && text[3] == '#') return TimePreviousTimeState::no_previous_time;
    double value = 0;
    previous.text(value);
    // Minus infinity means "none"; NaN or plus infinity means nothing.
    if (!(value < std::numeric_limits<double>::infinity()))
        throw util::Exception(std::string("previous_time of ") + TimePreviousTimeState::key() +
                              " must be a number or -inf, text = \"" + text + "\" " +
                              previous.current().location());
    return value;
}
}  // namespace

const config::Schema<TimePreviousTimeState::Form>& TimePreviousTimeState::schema() {
    static const auto schema =
        config::Schema<Form>(key(), "a track's current and previous times")
            .required(&Form::time, "time", "the current time", config::finite_text())
            .product(&Form::previous_time, "previous_time", "a number or -inf",
                     "the previous time; -inf (or text with \"#\" as fourth character, as \"-1.#INF\") for none",
                     &read_previous_time);
    return schema;
}

void TimePreviousTimeState::write(xml::OutStream& out) const {
    out.tag(key());
    out.element("time", time).element("previous_time", previous_time);
    out.end_tag();
}

}  // namespace ostrel
