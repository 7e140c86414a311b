#pragma once
#include "config/schema.h"
#include "tracker/filter.h"

namespace ostrel {

// Survival and death terms over the interval dt = time - previous_time of the
// track's TimePreviousTimeState; in a filter pass they run after the
// operation that records the current time. Each takes "death_rate" mu (per
// unit of frame time, never negative).
struct DeathRateParameters {
    double death_rate = 0;
};

// Key "life_score_inserter": log_likelihood -= mu dt, the log-probability of
// surviving dt.
class LifeScoreInserter : public Filter {
public:
    using Parameters = DeathRateParameters;
    static const config::Schema<Parameters>& schema();

    explicit LifeScoreInserter(const Parameters& parameters);
    explicit LifeScoreInserter(const xml::Querier& querier) : LifeScoreInserter(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const double death_rate_;
};

// Key "death_score_inserter": for dt > 0 the pass's score becomes
// ln(1 - e^{-mu dt}), the log-probability of dying within dt; a pass with no
// positive interval cannot be a death and is rejected.
class DeathScoreInserter : public Filter {
public:
    using Parameters = DeathRateParameters;
    static const config::Schema<Parameters>& schema();

    explicit DeathScoreInserter(const Parameters& parameters);
    explicit DeathScoreInserter(const xml::Querier& querier) : DeathScoreInserter(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const double death_rate_;
};

// Key "confirmed_killer": ends the hypothesis (all states removed, gates
// false); a track with m-of-n counters is scored ln(1 - e^{-mu dt}). A
// non-positive interval is a fault of the filter definition.
class ConfirmedKiller : public Filter {
public:
    using Parameters = DeathRateParameters;
    static const config::Schema<Parameters>& schema();

    explicit ConfirmedKiller(const Parameters& parameters);
    explicit ConfirmedKiller(const xml::Querier& querier) : ConfirmedKiller(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const double death_rate_;
};

}  // namespace ostrel
