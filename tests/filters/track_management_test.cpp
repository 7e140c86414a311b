#include <gtest/gtest.h>

#include <cmath>

#include "filter_test_support.h"
#include "geometry/footprint.h"
#include "model/states/confirmed_state.h"
#include "model/states/footprint_state.h"
#include "model/states/last_contact_time_state.h"
#include "model/states/m_of_n_state.h"
#include "model/states/minimum_speed_state.h"
#include "model/states/missed_detection_count_state.h"
#include "model/states/str_m_of_n_state.h"
#include "model/states/tail_gater_state.h"
#include "model/states/time_previous_time_state.h"
#include "support/expect_message.h"

namespace {

using namespace ostrel;
using filter_test::build;

TrackState with(std::initializer_list<state::StatePtr> states) {
    TrackState track(state::Label{0, 1});
    for (const auto& s : states) track.states.insert(s);
    return track;
}

state::StatePtr m_of_n(int m, int n) { return std::make_shared<const MofNState>(m, n); }

TEST(TimeBookkeeping, RecordsContactTimesAcrossPasses) {
    TrackState track(state::Label{0, 1});
    build("<time_previous_time_initializer/>")->update(filter_test::contact_at(5.0), track);
    EXPECT_EQ(track.states.get<TimePreviousTimeState>().time, 5.0);
    EXPECT_EQ(track.states.get<TimePreviousTimeState>().previous_time, TimePreviousTimeState::no_previous_time);

    build("<time_previous_time_updater/>")->update(filter_test::contact_at(7.0), track);
    EXPECT_EQ(track.states.get<TimePreviousTimeState>().time, 7.0);
    EXPECT_EQ(track.states.get<TimePreviousTimeState>().previous_time, 5.0);

    auto last_contact = build("<last_contact_time_initializer/>");
    last_contact->update(filter_test::contact_at(7.0), track);
    last_contact->update(filter_test::contact_at(9.0), track);
    EXPECT_EQ(track.states.get<LastContactTimeState>().last_contact_time, 9.0);
}

TEST(MissedDetectionCount, ZeroesOnContactsAndCountsMisses) {
    TrackState track(state::Label{0, 1});
    auto increment = build("<missed_detection_count_incrementer/>");
    EXPECT_MESSAGE_STARTS(increment->update(state::CompositeState(), track), "State::cast()");
    build("<missed_detection_count_zeroer/>")->update(state::CompositeState(), track);
    increment->update(state::CompositeState(), track);
    increment->update(state::CompositeState(), track);
    EXPECT_EQ(track.states.get<MissedDetectionCountState>().count, 2);
}

TEST(MofNCounters, CountContactsAndScans) {
    TrackState track(state::Label{0, 1});
    build("<m_of_n_initializer/>")->update(state::CompositeState(), track);
    build("<m_of_n_coast_updater/>")->update(state::CompositeState(), track);
    build("<m_of_n_contact_updater/>")->update(state::CompositeState(), track);
    EXPECT_EQ(track.states.get<MofNState>().m, 2);
    EXPECT_EQ(track.states.get<MofNState>().n, 3);
}

TEST(StrMofNCounters, CountMarkedContactsSeparately) {
    state::CompositeState marked = filter_test::contact_at(1.0);
    marked.insert(std::make_shared<const snsr::MinimumSpeedState>());
    const state::CompositeState plain = filter_test::contact_at(2.0);

    TrackState track(state::Label{0, 1});
    build("<str_m_of_n_initializer/>")->update(marked, track);
    auto contact = build("<str_m_of_n_contact_updater/>");
    contact->update(plain, track);
    contact->update(marked, track);
    build("<str_m_of_n_coast_updater/>")->update(marked, track);  // a coast never counts a mark
    const auto& counts = track.states.get<str::StrMofNState>();
    EXPECT_EQ(counts.m, 3);
    EXPECT_EQ(counts.n, 4);
    EXPECT_EQ(counts.o, 2);

    TrackState unmarked(state::Label{0, 1});
    build("<str_m_of_n_initializer/>")->update(plain, unmarked);
    EXPECT_EQ(unmarked.states.get<str::StrMofNState>().o, 0);
}

TEST(MofNConfirmer, ConfirmsOnceThenRewardsContinuation) {
    auto one_of_one = build("<m_of_n_confirmer><m>1</m><n>1</n><confirmation_reward>20</confirmation_reward>"
                            "<continuation_reward>3</continuation_reward></m_of_n_confirmer>");
    TrackState track = with({m_of_n(1, 1)});
    one_of_one->update(state::CompositeState(), track);
    EXPECT_TRUE(track.states.has<ConfirmedState>());
    EXPECT_NEAR(track.log_likelihood, std::log(20.0), 1e-15);
    for (int pass = 0; pass < 2; ++pass) {
        TrackState later = TrackState::extending(track);
        later.states.insert(m_of_n(1, 2 + pass));  // even a coast-only pass
        one_of_one->update(state::CompositeState(), later);
        EXPECT_NEAR(later.log_likelihood, std::log(3.0), 1e-15);
    }

    auto two_of_three = build("<m_of_n_confirmer><m>2</m><n>3</n><confirmation_reward>20</confirmation_reward>"
                              "<continuation_reward>3</continuation_reward></m_of_n_confirmer>");
    struct {
        int m, n;
        bool confirmed;
    } cases[] = {{1, 2, false}, {2, 2, true}, {2, 3, true}, {1, 3, false}, {3, 4, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.m << " of " << c.n);
        TrackState counted = with({m_of_n(c.m, c.n)});
        two_of_three->update(state::CompositeState(), counted);
        EXPECT_EQ(counted.states.has<ConfirmedState>(), c.confirmed);
        EXPECT_EQ(counted.log_likelihood, c.confirmed ? std::log(20.0) : 0.0);
    }
}

TEST(StrMofNConfirmer, RequiresTheMarkedContactsToo) {
    auto confirmer = build("<str_m_of_n_confirmer><m>2</m><n>3</n><o>1</o><confirmation_reward>5"
                           "</confirmation_reward><continuation_reward>2</continuation_reward></str_m_of_n_confirmer>");
    TrackState unmarked = with({std::make_shared<const str::StrMofNState>(2, 2, 0)});
    confirmer->update(state::CompositeState(), unmarked);
    EXPECT_FALSE(unmarked.states.has<ConfirmedState>());
    TrackState marked = with({std::make_shared<const str::StrMofNState>(2, 3, 1)});
    confirmer->update(state::CompositeState(), marked);
    EXPECT_TRUE(marked.states.has<ConfirmedState>());
    EXPECT_NEAR(marked.log_likelihood, std::log(5.0), 1e-15);
    confirmer->update(state::CompositeState(), marked);
    EXPECT_NEAR(marked.log_likelihood, std::log(5.0) + std::log(2.0), 1e-15);
}

// The inner filter of the gaters below inserts a ConfirmedState, so a test
// can see whether it ran.
const char* const marker = "<filter><m_of_n_confirmer><m>1</m><n>100</n><confirmation_reward>1"
                           "</confirmation_reward><continuation_reward>1</continuation_reward></m_of_n_confirmer>"
                           "</filter>";

TEST(MofNGater, RejectsTracksThatCanNoLongerReachMContacts) {
    auto gater = build(std::string("<m_of_n_gater>") + marker + "<m>3</m><n>5</n></m_of_n_gater>");
    struct {
        int m, n;
        bool admitted;
    } cases[] = {
        {1, 3, true},   // 5 - 3 = 2 is not less than 3 - 1 = 2
        {1, 4, false},  // 5 - 4 = 1 < 2
        {2, 5, false},
        {3, 5, true},
        {3, 9, true},  // past n with m contacts: no longer gated
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.m << " of " << c.n);
        TrackState track = with({m_of_n(c.m, c.n)});
        gater->update(state::CompositeState(), track);
        EXPECT_EQ(track.gates, c.admitted);
        EXPECT_EQ(track.states.has<ConfirmedState>(), c.admitted);
    }
    TrackState missed_confirmation = with({m_of_n(2, 6)});
    EXPECT_MESSAGE(gater->update(state::CompositeState(), missed_confirmation), "MofNGater");
    EXPECT_TRUE(missed_confirmation.states.has<ConfirmedState>());  // the inner filter ran first
}

TEST(StrMofNGater, RejectsTracksThatCanNoLongerReachEitherCount) {
    auto gater = build(std::string("<str_m_of_n_gater><m>3</m><n>5</n><o>2</o>") + marker + "</str_m_of_n_gater>");
    struct {
        int m, n, o;
        bool admitted;
    } cases[] = {{1, 3, 0, true}, {1, 4, 1, false}, {3, 4, 0, false}, {2, 4, 1, true}, {1, 6, 0, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.m << " " << c.n << " " << c.o);
        TrackState track = with({std::make_shared<const str::StrMofNState>(c.m, c.n, c.o)});
        track.states.insert(m_of_n(1, 1));  // for the marker
        gater->update(state::CompositeState(), track);
        EXPECT_EQ(track.gates, c.admitted);
        EXPECT_EQ(track.states.has<ConfirmedState>(), c.admitted);
    }
}

TEST(MaximumMissedDetectionGater, RejectsCountsAboveTheMaximum) {
    auto zero = build(std::string("<maximum_missed_detection_gater><maximum_missed_detections>0"
                                  "</maximum_missed_detections>") +
                      marker + "</maximum_missed_detection_gater>");
    for (int count : {0, 1, 3}) {
        TrackState track = with({std::make_shared<const MissedDetectionCountState>(count), m_of_n(1, 1)});
        zero->update(state::CompositeState(), track);
        EXPECT_EQ(track.gates, count == 0) << count;
        EXPECT_EQ(track.states.has<ConfirmedState>(), count == 0) << count;
    }
}

TEST(MaximumCoastTimeGater, RejectsPassesTooLongAfterTheLastContact) {
    auto zero = build(std::string("<maximum_coast_time_gater><maximum_coast_time>0</maximum_coast_time>") + marker +
                      "</maximum_coast_time_gater>");
    auto two = build(std::string("<maximum_coast_time_gater><maximum_coast_time>2</maximum_coast_time>") + marker +
                     "</maximum_coast_time_gater>");
    struct {
        const Filter* gater;
        double time;
        bool admitted;
    } cases[] = {{zero.get(), 4.0, true}, {zero.get(), 4.5, false}, {two.get(), 6.0, true}, {two.get(), 6.01, false}};
    for (const auto& c : cases) {
        TrackState track = with({std::make_shared<const LastContactTimeState>(4.0), m_of_n(1, 1)});
        c.gater->update(filter_test::contact_at(c.time), track);
        EXPECT_EQ(track.gates, c.admitted) << c.time;
        EXPECT_EQ(track.states.has<ConfirmedState>(), c.admitted) << c.time;
    }
}

TEST(GateGater, RunsItsFilterOnlyOnAdmissibleHypotheses) {
    auto gater = build("<gate_gater><m_of_n_initializer/></gate_gater>");
    TrackState open(state::Label{0, 1});
    gater->update(state::CompositeState(), open);
    EXPECT_TRUE(open.states.has<MofNState>());
    TrackState closed(state::Label{0, 1});
    closed.gates = false;
    gater->update(state::CompositeState(), closed);
    EXPECT_FALSE(closed.states.has<MofNState>());
}

TEST(TailGater, KeepsOtherContactsOfASourceAwayWithinTheTailTime) {
    TrackState track(state::Label{0, 1});
    build("<tail_gater_initializer/>")->update(filter_test::contact_at(10.0, {4, 7}), track);
    ASSERT_EQ(track.states.get<TailGaterState>().records.size(), 1u);

    auto updater = build("<tail_gater_updater><tail_time>3</tail_time></tail_gater_updater>");
    struct {
        state::Label label;
        double time;
        bool admitted;
    } cases[] = {
        {{4, 7}, 10.5, true},   // the same contact id never rejects
        {{4, 8}, 13.0, false},  // another id exactly tail_time later
        {{4, 8}, 13.5, true},
        {{5, 1}, 10.5, true},  // another source
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.label << " at " << c.time);
        TrackState next = TrackState::extending(track);
        updater->update(filter_test::contact_at(c.time, c.label), next);
        EXPECT_EQ(next.gates, c.admitted);
        // Recorded in every case.
        const auto& records = next.states.get<TailGaterState>().records;
        EXPECT_EQ(records.at(c.label.src).id, c.label.id);
        EXPECT_EQ(records.at(c.label.src).time, c.time);
        EXPECT_EQ(records.size(), c.label.src == 4 ? 1u : 2u);
    }
}

// Holds the points with a positive first coordinate.
class RightHalfPlane : public ftprnt::FootprintTemplate<2, RightHalfPlane> {
public:
    bool contains(const nmrc::Vector<2>& point) const override { return point[0] > 0.0; }
    void write(xml::OutStream& out) const override { out.tag("right_half_plane").end_tag(); }
};

TEST(FootprintGater, ChoosesTheFilterByWhetherTheTrackIsInView) {
    using Estimate = state::PositionVelocityEstimateState<2>;
    auto gater = build("<footprint_gater_2d><in><m_of_n_initializer/></in><out><no_op/></out></footprint_gater_2d>");
    state::CompositeState contact = filter_test::contact_at(1.0);
    contact.insert(std::make_shared<const state::FootprintState<Estimate>>(std::make_shared<RightHalfPlane>()));
    for (double x : {2.0, -2.0}) {
        TrackState track(state::Label{0, 1});
        filter_test::put_estimate<2>(track, {x, 0, -5, 0}, nmrc::SymmetricMatrix<4>::identity(), 1.0);
        gater->update(contact, track);
        EXPECT_EQ(track.states.has<MofNState>(), x > 0) << x;
        EXPECT_TRUE(track.gates);
    }
}

}  // namespace
