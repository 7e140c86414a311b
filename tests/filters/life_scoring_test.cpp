#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "filter_test_support.h"
#include "filters/birth_initializer.h"
#include "model/states/detection_probability_state.h"
#include "model/states/m_of_n_state.h"
#include "model/states/time_previous_time_state.h"
#include "support/expect_message.h"

namespace {

using namespace ostrel;
using filter_test::build;

const double inf = std::numeric_limits<double>::infinity();

TrackState track_with_times(double time, double previous_time) {
    TrackState track(state::Label{0, 7});
    track.states.insert(std::make_shared<const TimePreviousTimeState>(time, previous_time));
    return track;
}

TEST(BirthInitializer, AddsTheLogOfTheExpectedSurvivingBirths) {
    // mu T = 0.001 takes the series: b = ln((1 - e^{-0.001}) / 0.001) = ln(0.99950016662...)
    auto small = build("<birth_initializer><death_rate>0.001</death_rate><birth_rate>1</birth_rate>"
                       "<nominal_dt>1</nominal_dt></birth_initializer>");
    TrackState track(state::Label{0, 1});
    track.log_likelihood = 0.5;
    small->update(state::CompositeState(), track);
    EXPECT_NEAR(track.log_likelihood - 0.5, std::log(-std::expm1(-0.001) / 0.001), 1e-15);

    // mu = 0.5, beta = 3, T = 2: b = ln(3 (1 - e^{-1}) / 0.5)
    auto large = build("<birth_initializer><death_rate>0.5</death_rate><birth_rate>3</birth_rate>"
                       "<nominal_dt>2</nominal_dt></birth_initializer>");
    TrackState other(state::Label{0, 1});
    large->update(state::CompositeState(), other);
    EXPECT_NEAR(other.log_likelihood, std::log(3.0 * (1.0 - std::exp(-1.0)) / 0.5), 1e-14);
    EXPECT_TRUE(other.gates);
}

TEST(LifeScoreInserter, SubtractsTheDeathRateTimesTheInterval) {
    auto life = build("<life_score_inserter><death_rate>0.5</death_rate></life_score_inserter>");
    TrackState track = track_with_times(7.0, 3.0);
    track.log_likelihood = 0.25;
    life->update(state::CompositeState(), track);
    EXPECT_DOUBLE_EQ(track.log_likelihood, 0.25 - 2.0);

    // Just initialised: previous_time is -inf, so the survival term is -inf.
    TrackState fresh = track_with_times(7.0, TimePreviousTimeState::no_previous_time);
    life->update(state::CompositeState(), fresh);
    EXPECT_EQ(fresh.log_likelihood, -inf);

    auto immortal = build("<life_score_inserter><death_rate>0</death_rate></life_score_inserter>");
    TrackState kept = track_with_times(7.0, TimePreviousTimeState::no_previous_time);
    immortal->update(state::CompositeState(), kept);
    EXPECT_EQ(kept.log_likelihood, 0.0);

    TrackState without_times(state::Label{0, 1});
    EXPECT_MESSAGE(life->update(state::CompositeState(), without_times), "State::cast()");
}

TEST(DeathScoreInserter, ReplacesThePassScoreOrRejectsAnEmptyInterval) {
    auto death = build("<death_score_inserter><death_rate>0.2</death_rate></death_score_inserter>");
    double previous = -inf;
    for (double dt : {0.5, 2.0, 10.0, 100.0}) {
        SCOPED_TRACE(dt);
        TrackState track = track_with_times(3.0 + dt, 3.0);
        track.log_likelihood = -42.0;
        death->update(state::CompositeState(), track);
        EXPECT_TRUE(track.gates);
        EXPECT_NEAR(track.log_likelihood, std::log(1.0 - std::exp(-0.2 * dt)), 1e-14);
        EXPECT_LT(track.log_likelihood, 0.0);
        EXPECT_GT(track.log_likelihood, previous);  // tends to 0 as dt grows
        previous = track.log_likelihood;
    }
    for (double previous_time : {3.0, 4.0, std::nan("")}) {
        TrackState track = track_with_times(3.0, previous_time);
        track.log_likelihood = -1.5;
        death->update(state::CompositeState(), track);
        EXPECT_FALSE(track.gates);
        EXPECT_EQ(track.log_likelihood, -1.5);
    }
}

TEST(ConfirmedKiller, EndsTheHypothesisAndScoresOnlyCountedTracks) {
    auto killer = build("<confirmed_killer><death_rate>0.1</death_rate></confirmed_killer>");

    TrackState counted = track_with_times(5.0, 2.0);
    counted.states.insert(std::make_shared<const MofNState>(3, 4));
    counted.log_likelihood = 9.0;
    killer->update(state::CompositeState(), counted);
    EXPECT_TRUE(counted.states.empty());
    EXPECT_FALSE(counted.gates);
    EXPECT_NEAR(counted.log_likelihood, std::log(1.0 - std::exp(-0.3)), 1e-14);

    TrackState uncounted = track_with_times(5.0, 2.0);
    uncounted.log_likelihood = 9.0;
    killer->update(state::CompositeState(), uncounted);
    EXPECT_TRUE(uncounted.states.empty());
    EXPECT_FALSE(uncounted.gates);
    EXPECT_EQ(uncounted.log_likelihood, 9.0);

    TrackState same_time = track_with_times(5.0, 5.0);
    EXPECT_MESSAGE(killer->update(state::CompositeState(), same_time),
                   "dt is non-positive in ConfirmedKiller, dt = 0");
    TrackState backwards = track_with_times(5.0, 6.5);
    EXPECT_MESSAGE(killer->update(state::CompositeState(), backwards),
                   "dt is non-positive in ConfirmedKiller, dt = -1.5");
}

TEST(MissedDetectionScores, AddTheLogOfTheMissProbability) {
    auto from_contact = build("<missed_detection_score_inserter/>");
    state::CompositeState meta_data;
    meta_data.insert(std::make_shared<const snsr::DetectionProbabilityState>(0.8));
    TrackState track(state::Label{0, 1});
    track.log_likelihood = 1.0;
    from_contact->update(meta_data, track);
    EXPECT_NEAR(track.log_likelihood, 1.0 + std::log(0.2), 1e-15);
    EXPECT_MESSAGE(from_contact->update(state::CompositeState(), track), "State::cast()");

    auto constant = build("<infinite_footprint_missed_detection_score_inserter><detection_probability>0.9"
                          "</detection_probability></infinite_footprint_missed_detection_score_inserter>");
    TrackState other(state::Label{0, 1});
    constant->update(state::CompositeState(), other);
    EXPECT_NEAR(other.log_likelihood, std::log(0.1), 1e-14);

    auto certain = build("<infinite_footprint_missed_detection_score_inserter><detection_probability>1"
                         "</detection_probability></infinite_footprint_missed_detection_score_inserter>");
    TrackState never_missed(state::Label{0, 1});
    certain->update(state::CompositeState(), never_missed);
    EXPECT_EQ(never_missed.log_likelihood, -inf);
}

}  // namespace
