#pragma once
#include "tracker/filter.h"

namespace ostrel {

// Survival and death terms over the interval dt = time - previous_time of the
// track's TimePreviousTimeState; in a filter pass they run after the
// operation that records the current time. Each takes "death_rate" mu (per
// unit of frame time, never negative).

// Key "life_score_inserter": log_likelihood -= mu dt, the log-probability of
// surviving dt.
class LifeScoreInserter : public Filter {
public:
    explicit LifeScoreInserter(const xml::Querier& querier);
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const double death_rate_;
};

// Key "death_score_inserter": for dt > 0 the pass's score becomes
// ln(1 - e^{-mu dt}), the log-probability of dying within dt; a pass with no
// positive interval cannot be a death and is rejected.
class DeathScoreInserter : public Filter {
public:
    explicit DeathScoreInserter(const xml::Querier& querier);
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const double death_rate_;
};

// Key "confirmed_killer": ends the hypothesis (all states removed, gates
// false); a track with m-of-n counters is scored ln(1 - e^{-mu dt}). A
// non-positive interval is a fault of the filter definition.
class ConfirmedKiller : public Filter {
public:
    explicit ConfirmedKiller(const xml::Querier& querier);
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const double death_rate_;
};

}  // namespace ostrel
