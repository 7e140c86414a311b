#include "filters/life_death_scores.h"

#include <cmath>

#include "filters/filter_parameters.h"
#include "model/states/m_of_n_state.h"
#include "model/states/time_previous_time_state.h"

namespace ostrel {

namespace {

// dt = time - previous_time of the track's TimePreviousTimeState.
double track_interval(const TrackState& track) {
    const auto& times = track.states.get<TimePreviousTimeState>();
    return times.time - times.previous_time;
}

// ln(1 - e^{-mu dt}); -expm1(-x) is 1 - e^{-x} without cancellation.
double log_death_probability(double death_rate, double dt) {
    return std::log(-std::expm1(-death_rate * dt));
}

}  // namespace

LifeScoreInserter::LifeScoreInserter(const xml::Querier& querier)
    : death_rate_(read_non_negative_rate(querier, "death_rate")) {}

void LifeScoreInserter::update(const state::CompositeState&, TrackState& track) const {
    const double dt = track_interval(track);
    // An immortal track survives any interval, the infinite one of a track
    // just started included (0 * inf would poison the score with NaN).
    if (death_rate_ == 0.0) return;
    // ln P(survive dt) = -mu dt
    track.log_likelihood -= dt * death_rate_;
}

DeathScoreInserter::DeathScoreInserter(const xml::Querier& querier)
    : death_rate_(read_non_negative_rate(querier, "death_rate")) {}

void DeathScoreInserter::update(const state::CompositeState&, TrackState& track) const {
    const double dt = track_interval(track);
    if (dt > 0.0) {
        // Replaces the increment of this pass: ln(1 - e^{-mu dt})
        track.log_likelihood = log_death_probability(death_rate_, dt);
    } else {
        track.gates = false;  // dt <= 0 or NaN
    }
}

ConfirmedKiller::ConfirmedKiller(const xml::Querier& querier)
    : death_rate_(read_non_negative_rate(querier, "death_rate")) {}

void ConfirmedKiller::update(const state::CompositeState&, TrackState& track) const {
    const double dt = track_interval(track);
    if (!(dt > 0.0))
        throw util::Exception("dt is non-positive in ConfirmedKiller, dt = " + number_text(dt));
    const bool counted = track.states.has<MofNState>();
    track.states = state::CompositeState();
    if (counted) track.log_likelihood = log_death_probability(death_rate_, dt);
    track.gates = false;
}

}  // namespace ostrel
