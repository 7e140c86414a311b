#include "simulation/sensor_support.h"

#include <cmath>

#include "model/states/time_state.h"
#include "model/states/truth_state.h"

namespace snsr {

const state::CompositeState& truth_of(const std::string& sensor, const state::CompositeState& contact) {
    const auto truth = contact.get_ptr<state::TruthState>();
    if (!truth) throw util::Exception(sensor + ": the contact has no truth_state");
    return *truth->truth;
}

double measurement_time(const std::string& sensor, const state::CompositeState& truth,
                        const state::CompositeState& contact, double fallback) {
    if (const auto time = truth.get_ptr<state::TimeState>()) return time->time;
    if (const auto time = contact.get_ptr<state::TimeState>()) return time->time;
    if (!std::isnan(fallback)) return fallback;
    throw util::Exception(sensor + ": neither the truth nor the contact has a time_state");
}

}  // namespace snsr
