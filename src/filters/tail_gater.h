#pragma once
#include "config/parameterless.h"
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
    static const config::Schema<config::NoParameters>& schema();

    TailGaterInitializer() = default;
    explicit TailGaterInitializer(const xml::Querier& querier) { schema().bind(querier); }
    void update(const state::CompositeState& contact, TrackState& track) const override;
};

// Key "tail_gater_updater"; parameter "tail_time". Rejects a contact of a
// known source with another id within tail_time of the recorded one, and in
// every case records the contact.
class TailGaterUpdater : public Filter {
public:
    struct Parameters {
        double tail_time = 0;
    };
    static const config::Schema<Parameters>& schema();

    explicit TailGaterUpdater(const Parameters& parameters) : tail_time_(schema().validate(parameters).tail_time) {}
    explicit TailGaterUpdater(const xml::Querier& querier) : TailGaterUpdater(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const double tail_time_;
};

}  // namespace ostrel
