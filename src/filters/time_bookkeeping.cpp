#include "filters/time_bookkeeping.h"

#include "model/states/last_contact_time_state.h"
#include "model/states/time_previous_time_state.h"
#include "model/states/time_state.h"
#include "util/recent_values.h"

namespace ostrel {

const config::Schema<config::NoParameters>& TimePreviousTimeInitializer::schema() {
    return config::parameterless("time_previous_time_initializer", "records the contact's time as the track's current time");
}

const config::Schema<config::NoParameters>& TimePreviousTimeUpdater::schema() {
    return config::parameterless("time_previous_time_updater", "moves the track's current time to its previous time and records the contact's");
}

const config::Schema<config::NoParameters>& LastContactTimeInitializer::schema() {
    return config::parameterless("last_contact_time_initializer", "records the contact's time as the track's last contact time");
}

namespace {
double contact_time(const state::CompositeState& contact) {
    return contact.get<state::TimeState>().time;
}
}  // namespace

void TimePreviousTimeInitializer::update(const state::CompositeState& contact,
                                         TrackState& track) const {
    track.states.insert(util::recent_shared<TimePreviousTimeState>(
        contact_time(contact), TimePreviousTimeState::no_previous_time));
}

void TimePreviousTimeUpdater::update(const state::CompositeState& contact, TrackState& track) const {
    const double time = contact_time(contact);
    const double previous = track.states.get<TimePreviousTimeState>().time;
    track.states.insert(util::recent_shared<TimePreviousTimeState>(time, previous));
}

void LastContactTimeInitializer::update(const state::CompositeState& contact,
                                        TrackState& track) const {
    track.states.insert(util::recent_shared<LastContactTimeState>(contact_time(contact)));
}

}  // namespace ostrel
