#pragma once
#include "tracker/filter.h"

namespace ostrel {

// The tail gater keeps, per contact source, the last contact a track took
// (TailGaterState): within "tail_time" of it the track may not take a
// different contact from the same source (a sensor that reports one target
// per source id, whose tail of reports must not be split between tracks).

// Key "tail_gater_initializer": a new TailGaterState holding the contact's
// label (src -> id) at the contact's time.
class TailGaterInitializer : public Filter {
public:
    explicit TailGaterInitializer(const xml::Querier&) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;
};

// Key "tail_gater_updater"; parameter "tail_time". Rejects a contact of a
// known source with another id within tail_time of the recorded one, and in
// every case records the contact.
class TailGaterUpdater : public Filter {
public:
    explicit TailGaterUpdater(const xml::Querier& querier);
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const double tail_time_;
};

}  // namespace ostrel
