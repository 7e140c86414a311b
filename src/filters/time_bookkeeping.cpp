#include "filters/time_bookkeeping.h"

#include "model/states/last_contact_time_state.h"
#include "model/states/time_previous_time_state.h"
#include "model/states/time_state.h"

namespace ostrel {

namespace {
double contact_time(const state::CompositeState& contact) {
    return contact.get<state::TimeState>().time;
}
}  // namespace

void TimePreviousTimeInitializer::update(const state::CompositeState& contact,
                                         TrackState& track) const {
    track.states.insert(std::make_shared<const TimePreviousTimeState>(
        contact_time(contact), TimePreviousTimeState::no_previous_time));
}

void TimePreviousTimeUpdater::update(const state::CompositeState& contact, TrackState& track) const {
    const double time = contact_time(contact);
    const double previous = track.states.get<TimePreviousTimeState>().time;
    track.states.insert(std::make_shared<const TimePreviousTimeState>(time, previous));
}

void LastContactTimeInitializer::update(const state::CompositeState& contact,
                                        TrackState& track) const {
    track.states.insert(std::make_shared<const LastContactTimeState>(contact_time(contact)));
}

}  // namespace ostrel
