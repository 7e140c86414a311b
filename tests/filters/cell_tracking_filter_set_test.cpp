#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "filter_test_support.h"
#include "model/composite_state_frame.h"
#include "model/states/confirmed_state.h"
#include "model/states/last_contact_time_state.h"
#include "model/states/m_of_n_state.h"
#include "model/states/missed_detection_count_state.h"
#include "model/states/sensor_type_state.h"
#include "model/states/time_previous_time_state.h"
#include "reference_kalman.h"
#include "support/recorder.h"
#include "support/temp_dir.h"
#include "tracker/filter_definer.h"
#include "tracker/track_report_frame.h"

// The shipped 2-D cell-tracking filter set, applied by hand over a few frames
// the way the tracker applies it: a contact starts a track (initializer),
// later contacts extend it (updater), a frame without one coasts it
// (coaster), and when a coast is refused the terminator ends it.
namespace {

using namespace ostrel;
using nmrc::SymmetricMatrix;
using nmrc::Vector;

const std::string example = std::string(OSTREL_SOURCE_DIR) + "/examples/filters/cell_tracking_2d.xml";

// The example's constants.
const double mu = 0.02, birth_rate = 0.5, area = 512.0 * 512.0, q = 4.0, pd = 0.95;
const double confirmation_reward = 100, continuation_reward = 2;

// Independent reference of the example's kinematics: NCV prediction and the
// position Kalman update, in plain dense matrices.
struct Reference {
    reference::Vec x;
    reference::Mat p;

    void predict(double dt) {
        reference::Mat f = {{1, 0, dt, 0}, {0, 1, 0, dt}, {0, 0, 1, 0}, {0, 0, 0, 1}};
        reference::Mat noise = reference::zeros(4, 4);
        for (int i = 0; i < 2; ++i) {
            noise[i][i] = q * dt * dt * dt / 3;
            noise[i][i + 2] = noise[i + 2][i] = q * dt * dt / 2;
            noise[i + 2][i + 2] = q * dt;
        }
        x = reference::mul(f, x);
        p = reference::add(reference::mul(reference::mul(f, p), reference::transpose(f)), noise);
    }
    // Returns ln p of the contact.
    double update(double zx, double zy, double r) {
        const auto u = reference::kalman(x, p, {{1, 0, 0, 0}, {0, 1, 0, 0}}, {zx, zy}, {{r, 0}, {0, r}});
        x = u.mean;
        p = u.covariance;
        return u.log_density;
    }
    void expect_matches(const TrackState& track) const {
        const auto& estimate = filter_test::estimate_of<2>(track);
        for (int i = 0; i < 4; ++i) {
            EXPECT_NEAR(estimate.mean[i], x[i], 1e-9) << i;
            for (int j = 0; j < 4; ++j) EXPECT_NEAR(estimate.covariance(i, j), p[i][j], 1e-9) << i << "," << j;
        }
    }
};

class CellTrackingFilterSet : public testing::Test {
protected:
    void SetUp() override {
        filter_test::factory();
        definer_ = std::make_shared<FilterDefiner>(xml::Querier::open(example));
        recorder_ = std::make_shared<test_support::Recorder>();
        definer_->insert_child(recorder_);
    }

    // One frame at `time` with the given contacts (x, y, label id; R = 2 I).
    frame::TrackReportFrame& frame_at(double time, std::vector<std::array<double, 3>> contacts) {
        auto f = std::make_shared<frame::CompositeStateFrame>(time);
        f->meta_data->insert(std::make_shared<const snsr::SensorTypeState>("cells"));
        f->meta_data->insert(std::make_shared<const state::TimeState>(time));
        for (const auto& c : contacts)
            f->composite_states.push_back(std::make_shared<state::CompositeState>(filter_test::position_contact<2>(
                time, {c[0], c[1]}, SymmetricMatrix<2>::diagonal({2, 2}), {0, static_cast<int>(c[2])})));
        definer_->push_frame(f);
        return recorder_->frames.back()->cast<frame::TrackReportFrame>();
    }

    // Each hypothesis gets its own copy of the frame's shared report.
    TrackReport& copy(const TrackReportPtr& report) {
        hypotheses_.push_back(std::make_shared<TrackReport>(*report));
        return *hypotheses_.back();
    }

    std::shared_ptr<FilterDefiner> definer_;
    std::shared_ptr<test_support::Recorder> recorder_;
    std::vector<TrackReportPtr> hypotheses_;
};

void expect_bookkeeping(const TrackState& track, double time, double previous_time, double last_contact,
                        int misses, int m, int n, bool confirmed) {
    EXPECT_EQ(track.states.get<TimePreviousTimeState>().time, time);
    EXPECT_EQ(track.states.get<TimePreviousTimeState>().previous_time, previous_time);
    EXPECT_EQ(track.states.get<LastContactTimeState>().last_contact_time, last_contact);
    EXPECT_EQ(track.states.get<MissedDetectionCountState>().count, misses);
    EXPECT_EQ(track.states.get<MofNState>().m, m);
    EXPECT_EQ(track.states.get<MofNState>().n, n);
    EXPECT_EQ(track.states.has<ConfirmedState>(), confirmed);
}

TEST_F(CellTrackingFilterSet, StartsExtendsCoastsAndEndsACellTrack) {
    // Frame 0: a cell at (100, 100) starts a track.
    const TrackState& start = copy(frame_at(0, {{100, 100, 1}}).track_reports[0]).initialize();
    ASSERT_TRUE(start.gates);
    EXPECT_EQ(start.label, (state::Label{0, 1}));
    expect_bookkeeping(start, 0, TimePreviousTimeState::no_previous_time, 0, 0, 1, 1, false);
    Reference ref{{100, 100, 0, 0}, {{2, 0, 0, 0}, {0, 2, 0, 0}, {0, 0, 25, 0}, {0, 0, 0, 25}}};
    ref.expect_matches(start);
    // -ln A + ln(beta T E(-mu T)), T = 1
    EXPECT_NEAR(start.log_likelihood, -std::log(area) + std::log(birth_rate * -std::expm1(-mu) / mu), 1e-12);

    // Frame 1: the cell moved to (103, 101); a cell at (300, 50) is far outside the gate.
    auto& frame1 = frame_at(1, {{103, 101, 2}, {300, 50, 3}});
    const TrackState& far = copy(frame1.track_reports[1]).update(start);
    EXPECT_FALSE(far.gates);
    const TrackState& second = copy(frame1.track_reports[0]).update(start);
    ASSERT_TRUE(second.gates);
    ref.predict(1);
    const double ln_p1 = ref.update(103, 101, 2);
    ref.expect_matches(second);
    // 2 contacts in 2 scans: confirmed.
    expect_bookkeeping(second, 1, 0, 1, 0, 2, 2, true);
    EXPECT_NEAR(second.log_likelihood, ln_p1 - mu + std::log(confirmation_reward), 1e-9);

    // Frame 2: the cell goes on; the confirmed track earns the continuation reward.
    const TrackState& third = copy(frame_at(2, {{106, 102, 4}}).track_reports[0]).update(second);
    ASSERT_TRUE(third.gates);
    ref.predict(1);
    const double ln_p2 = ref.update(106, 102, 2);
    ref.expect_matches(third);
    expect_bookkeeping(third, 2, 1, 2, 0, 3, 3, true);
    EXPECT_NEAR(third.log_likelihood, ln_p2 - mu + std::log(continuation_reward), 1e-9);

    // Frames 3 and 4 miss the cell: two coasts are allowed.
    const TrackState* coasted = &third;
    for (int t = 3; t <= 4; ++t) {
        SCOPED_TRACE(t);
        const TrackState& coast = copy(frame_at(t, {}).coast_track_report).update(*coasted);
        ASSERT_TRUE(coast.gates);
        ref.predict(1);
        ref.expect_matches(coast);
        expect_bookkeeping(coast, t, t - 1, 2, t - 2, 3, t + 1, true);
        EXPECT_NEAR(coast.log_likelihood, -mu + std::log(1 - pd), 1e-12);
        EXPECT_EQ(coast.states.get<state::PositionVelocityEstimateState<2>>().time, t);
        coasted = &coast;
    }

    // Frame 5: a third miss is refused, so the tracker tries the terminator,
    // which ends the track with the probability of dying within one frame.
    auto& frame5 = frame_at(5, {});
    const TrackState& refused = copy(frame5.coast_track_report).update(*coasted);
    EXPECT_FALSE(refused.gates);
    const TrackState& ended = copy(frame5.killer_track_report).update(*coasted);
    EXPECT_TRUE(ended.gates);
    EXPECT_NEAR(ended.log_likelihood, std::log(-std::expm1(-mu)), 1e-12);
}

TEST_F(CellTrackingFilterSet, AContactAfterACoastResetsTheMissCount) {
    const TrackState& start = copy(frame_at(0, {{50, 60, 1}}).track_reports[0]).initialize();
    const TrackState& coast = copy(frame_at(1, {}).coast_track_report).update(start);
    ASSERT_TRUE(coast.gates);
    expect_bookkeeping(coast, 1, 0, 0, 1, 1, 2, false);

    const TrackState& back = copy(frame_at(2, {{51, 60.5, 2}}).track_reports[0]).update(coast);
    ASSERT_TRUE(back.gates);
    // 2 contacts in 3 scans: confirmed now.
    expect_bookkeeping(back, 2, 1, 2, 0, 2, 3, true);
    Reference ref{{50, 60, 0, 0}, {{2, 0, 0, 0}, {0, 2, 0, 0}, {0, 0, 25, 0}, {0, 0, 0, 25}}};
    ref.predict(1);
    ref.predict(1);
    const double ln_p = ref.update(51, 60.5, 2);
    ref.expect_matches(back);
    EXPECT_NEAR(back.log_likelihood, ln_p - mu + std::log(confirmation_reward), 1e-9);
}

TEST(CellTrackingExample, IsIncludableIntoAFilterDefinerElement) {
    filter_test::factory();
    test_support::ScopedWorkingDir dir("cell_tracking_include");
    xml::Querier config = xml::Querier::parse("\n<filter_definer file=\"" + example + "\"/>");
    xml::expand_includes(config);
    FilterDefiner definer(config);
    ASSERT_EQ(definer.filter_sets().count("cells"), 1u);
    const FilterSet& set = definer.filter_set("cells");
    for (const FilterPtr& slot : {set.initializer, set.updater, set.continuation_updater, set.coaster,
                                  set.terminator, set.zombie_coaster})
        EXPECT_TRUE(slot);
}

}  // namespace
