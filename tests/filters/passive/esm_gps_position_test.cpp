#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "filters/passive/passive_test_support.h"
#include "model/fusion/gps_id_state.h"
#include "model/states/position_velocity_estimate_state.h"
#include "support/expect_message.h"

namespace {

using namespace passive_test;

const std::string velocity = "<prior_velocity_covariance>4 0 0 0 4 0 0 0 1</prior_velocity_covariance>";

ostrel::EsmContact::Fields intercept(double bearing, double min_range, double max_range) {
    ostrel::EsmContact::Fields f;
    f.time = 3.0;
    f.sensor_position = {10, 20, 0};
    f.min_range = min_range;
    f.max_range = max_range;
    f.bearing = bearing;
    f.bearing_sigma = 0.5 * degree;
    f.mode_distribution = dynamic({1});
    return f;
}

TEST(EsmPositionVelocityInitializer, StartsAtTheMidRangeAlongTheBearingWithTheUniformScore) {
    ostrel::TrackState track(state::Label{0, 1});
    build("<esm_position_velocity_initializer>" + velocity + "</esm_position_velocity_initializer>")
        ->update(esm_contact(intercept(90 * degree, 1000, 3000)), track);
    const auto& e = track.states.get<state::PositionVelocityEstimateState<3>>();
    EXPECT_EQ(e.time, 3.0);
    EXPECT_NEAR(e.estimate.mean[0], 10 + 2000, 1e-9);
    EXPECT_NEAR(e.estimate.mean[1], 20, 1e-9);
    EXPECT_NEAR(e.estimate.mean[2], 0, 1e-9);
    // Range spread along x: (max - min)^2 / 12; elevation spread along z:
    // r^2 pi^2 / 12; the velocity block is the configured prior.
    EXPECT_NEAR(e.estimate.covariance(0, 0), 2000.0 * 2000 / 12, 1e-6);
    EXPECT_NEAR(e.estimate.covariance(2, 2), 2000.0 * 2000 * M_PI * M_PI / 12, 1e-3);
    EXPECT_EQ(e.estimate.covariance(3, 3), 4);
    EXPECT_EQ(e.estimate.covariance(5, 5), 1);
    EXPECT_EQ(e.estimate.covariance(0, 3), 0);
    EXPECT_NEAR(track.log_likelihood, -std::log(2 * M_PI * M_PI) - std::log(3000.0), 1e-12);
}

TEST(EsmPositionUpdaters, AllThreePullABearingErrorTowardsTheIntercept) {
    // The track sits 5 degrees off the intercept's bearing at mid range.
    const auto contact = esm_contact(intercept(45 * degree, 800, 1200));
    const nmrc::Vector<3> sensor{10, 20, 0};
    const auto prior = estimate(
        sensor + nmrc::Vector<3>{1000 * std::sin(50 * degree), 1000 * std::cos(50 * degree), 0}, 10000);
    auto bearing_of = [&](const nmrc::Vector<6>& m) { return std::atan2(m[0] - 10, m[1] - 20); };
    for (const char* key : {"esm_position_velocity_kf_contact_updater",
                            "esm_position_velocity_ekf_contact_updater",
                            "esm_position_velocity_iekf_initializer"}) {
        SCOPED_TRACE(key);
        ostrel::TrackState track = track_with(prior);
        build(std::string("<") + key + "><gate>infinity</gate></" + key + ">")->update(contact, track);
        EXPECT_TRUE(track.gates);
        EXPECT_LT(std::fabs(bearing_of(estimate_of(track).mean) - 45 * degree), 1.5 * degree);
        EXPECT_EQ(track.states.get<state::PositionVelocityEstimateState<3>>().time, 3.0);
    }
}

TEST(EsmHomogenizedPositionContactUpdater, UpdatesWithTheHomogenizedPositionOrFailsWithoutOne) {
    auto f = intercept(0, 1, 2);
    f.homogenized_position = nmrc::Normal<3>{{2, 0, 0}, nmrc::SymmetricMatrix<3>::identity()};
    const auto filter = build(
        "<esm_homogenized_position_contact_updater><gate>16</gate>"
        "</esm_homogenized_position_contact_updater>");
    ostrel::TrackState track = track_with(estimate({0, 0, 0}, 1));
    filter->update(esm_contact(f), track);
    EXPECT_NEAR(estimate_of(track).mean[0], 1, 1e-12);  // equal weights
    // ln p = -1.5 ln(2 pi) - d^2/2 - ln det(S)/2 with S = 2 I, d^2 = 4/2
    EXPECT_NEAR(track.log_likelihood, -1.5 * std::log(2 * M_PI) - 1 - 1.5 * std::log(2.0), 1e-12);

    ostrel::TrackState bare = track_with(estimate({0, 0, 0}, 1));
    EXPECT_MESSAGE(filter->update(esm_contact(intercept(0, 1, 2)), bare),
                   "esm_contact holds no homogenized_position_contact in "
                   "EsmHomogenizedPositionContactUpdater");
}

TEST(GpsPositionVelocityFilters, InitializeFromTheReportAndUpdateWithSigmaSquaredNoise) {
    ostrel::TrackState track(state::Label{0, 1});
    build("<gps_position_velocity_3d_initializer>" + velocity + "</gps_position_velocity_3d_initializer>")
        ->update(gps_contact({1, 2, 3}, 2, 7, 0, 1.5), track);
    const auto& start = track.states.get<state::PositionVelocityEstimateState<3>>();
    EXPECT_EQ(start.time, 1.5);
    EXPECT_EQ(start.estimate.mean, (nmrc::Vector<6>{1, 2, 3, 0, 0, 0}));
    EXPECT_EQ(start.estimate.covariance(1, 1), 4);
    EXPECT_EQ(start.estimate.covariance(4, 4), 4);
    EXPECT_EQ(track.log_likelihood, 0.0);

    const auto updater = build(
        "<gps_position_velocity_3d_contact_updater><gate>9</gate></gps_position_velocity_3d_contact_updater>");
    updater->update(gps_contact({3, 2, 3}, 2, 7, 0, 1.5), track);  // S = 8 I, d^2 = 0.5
    EXPECT_TRUE(track.gates);
    EXPECT_NEAR(estimate_of(track).mean[0], 2, 1e-12);
    EXPECT_NEAR(track.log_likelihood, -1.5 * std::log(2 * M_PI) - 0.25 - 1.5 * std::log(8.0), 1e-12);

    ostrel::TrackState far = track_with(estimate({0, 0, 0}, 1));
    updater->update(gps_contact({100, 0, 0}, 1, 7, 0), far);
    EXPECT_FALSE(far.gates);
    EXPECT_EQ(estimate_of(far).mean[0], 0);
}

TEST(GpsContactUpdaterAndGater, BindsTheTrackToItsGpsIdAndRejectsOtherIds) {
    const auto filter = build(
        "<gps_contact_updater_and_gater><filter><no_op/></filter><gate>16</gate>"
        "</gps_contact_updater_and_gater>");
    ostrel::TrackState track = track_with(estimate({0, 0, 0}, 1));
    filter->update(gps_contact({1, 0, 0}, 1, 42, 0), track);
    ASSERT_TRUE(track.gates);
    EXPECT_EQ(track.states.get<fusion::GpsIdState>().gps_id, 42);
    EXPECT_NEAR(estimate_of(track).mean[0], 0.5, 1e-12);

    ostrel::TrackState same = ostrel::TrackState::extending(track);
    filter->update(gps_contact({0.5, 0, 0}, 1, 42, 0), same);
    EXPECT_TRUE(same.gates);
    ostrel::TrackState other = ostrel::TrackState::extending(track);
    filter->update(gps_contact({0.5, 0, 0}, 1, 43, 0), other);
    EXPECT_FALSE(other.gates);
    EXPECT_EQ(other.states.get<fusion::GpsIdState>().gps_id, 42);
}

}  // namespace
