#include "filters/life_death_scores.h"

#include <cmath>

#include "filters/filter_schema.h"
#include "model/states/m_of_n_state.h"
#include "model/states/time_previous_time_state.h"

namespace ostrel {

namespace {

// dt = time - previous_time of the track's TimePreviousTimeState.
double track_interval(const TrackState& track) {
    const auto& times = track.states.get<TimePreviousTimeState>();
    return times.time - times.previous_time;
}

config::Schema<DeathRateParameters> death_rate_schema(const char* key, const char* meaning) {
    return config::Schema<DeathRateParameters>(key, meaning)
        .required(&DeathRateParameters::death_rate, "death_rate", "the rate at which tracks end, per unit of time",
                  non_negative_rate());
}

// ln(1 - e^{-mu dt}); -expm1(-x) is 1 - e^{-x} without cancellation.
double log_death_probability(double death_rate, double dt) {
    return std::log(-std::expm1(-death_rate * dt));
}

}  // namespace

const config::Schema<DeathRateParameters>& LifeScoreInserter::schema() {
    static const auto schema = death_rate_schema("life_score_inserter", "scores the survival of a track between two passes");
    return schema;
}

LifeScoreInserter::LifeScoreInserter(const Parameters& parameters) : death_rate_(schema().validate(parameters).death_rate) {}

void LifeScoreInserter::update(const state::CompositeState&, TrackState& track) const {
    const double dt = track_interval(track);
    // An immortal track survives any interval, the infinite one of a track
    // just started included (0 * inf would poison the score with NaN).
    if (death_rate_ == 0.0) return;
    // ln P(survive dt) = -mu dt
    track.log_likelihood -= dt * death_rate_;
}

const config::Schema<DeathRateParameters>& DeathScoreInserter::schema() {
    static const auto schema = death_rate_schema("death_score_inserter", "scores the death of a track within the interval");
    return schema;
}

DeathScoreInserter::DeathScoreInserter(const Parameters& parameters) : death_rate_(schema().validate(parameters).death_rate) {}

void DeathScoreInserter::update(const state::CompositeState&, TrackState& track) const {
    const double dt = track_interval(track);
    if (dt > 0.0) {
        // Replaces the increment of this pass: ln(1 - e^{-mu dt})
        track.log_likelihood = log_death_probability(death_rate_, dt);
    } else {
        track.gates = false;  // dt <= 0 or NaN
    }
}

const config::Schema<DeathRateParameters>& ConfirmedKiller::schema() {
    static const auto schema = death_rate_schema("confirmed_killer", "ends a track, scoring its death when it was counted");
    return schema;
}

ConfirmedKiller::ConfirmedKiller(const Parameters& parameters) : death_rate_(schema().validate(parameters).death_rate) {}

void ConfirmedKiller::update(const state::CompositeState&, TrackState& track) const {
    const double dt = track_interval(track);
    if (!(dt > 0.0))
        throw util::Exception("dt is non-positive in ConfirmedKiller, dt = " + config::quote(dt));
    const bool counted = track.states.has<MofNState>();
    track.states = state::CompositeState();
    if (counted) track.log_likelihood = log_death_probability(death_rate_, dt);
    track.gates = false;
}

}  // namespace ostrel
