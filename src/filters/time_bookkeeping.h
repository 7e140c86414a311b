#pragma once
#include "config/parameterless.h"
#include "tracker/filter.h"

namespace ostrel {

// The times a track remembers, taken from the contact's TimeState.

// Key "time_previous_time_initializer": TimePreviousTimeState(contact time,
// -inf).
class TimePreviousTimeInitializer : public Filter {
public:
    static const config::Schema<config::NoParameters>& schema();

    TimePreviousTimeInitializer() = default;
    explicit TimePreviousTimeInitializer(const xml::Querier& querier) { schema().bind(querier); }
    void update(const state::CompositeState& contact, TrackState& track) const override;
};

// Key "time_previous_time_updater": TimePreviousTimeState(contact time, the
// old time). It runs on every pass that advances the track in time (contact
// or coast), before the life and death scores that read the interval.
class TimePreviousTimeUpdater : public Filter {
public:
    static const config::Schema<config::NoParameters>& schema();

    TimePreviousTimeUpdater() = default;
    explicit TimePreviousTimeUpdater(const xml::Querier& querier) { schema().bind(querier); }
    void update(const state::CompositeState& contact, TrackState& track) const override;
    bool reads_contact_time_only() const override { return true; }
};

// Key "last_contact_time_initializer": LastContactTimeState(contact time); run
// on every contact pass, it keeps the time of the latest contact.
class LastContactTimeInitializer : public Filter {
public:
    static const config::Schema<config::NoParameters>& schema();

    LastContactTimeInitializer() = default;
    explicit LastContactTimeInitializer(const xml::Querier& querier) { schema().bind(querier); }
    void update(const state::CompositeState& contact, TrackState& track) const override;
};

}  // namespace ostrel
