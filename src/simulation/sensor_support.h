#pragma once
#include <string>

#include "model/composite_state.h"
#include "util/exception.h"

namespace snsr {

// The truth a contact refers to through its TruthState; a contact without
// one fails, naming the sensor.
const state::CompositeState& truth_of(const std::string& sensor, const state::CompositeState& contact);

// The time a measurement holds at: the truth's TimeState, else the
// contact's; without either, `fallback` when it is given (not NaN), else a
// failure naming the sensor.
double measurement_time(const std::string& sensor, const state::CompositeState& truth,
                        const state::CompositeState& contact, double fallback);

// The state of kind T in the truth; its absence fails naming the sensor and
// the kind's key.
template <class T>
const T& truth_part(const std::string& sensor, const state::CompositeState& truth,
                    const std::string& kind) {
    if (!truth.has<T>()) throw util::Exception(sensor + ": the truth has no " + kind);
    return truth.get<T>();
}

}  // namespace snsr
