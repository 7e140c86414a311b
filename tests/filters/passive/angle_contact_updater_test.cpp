#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "filters/passive/passive_test_support.h"
#include "filters/passive/spherical_geometry.h"
#include "model/states/position_velocity_estimate_state.h"
#include "numerics/gaussian.h"

namespace {

using namespace passive_test;

ostrel::FilterPtr updater(const std::string& key, const std::string& gate = "infinity") {
    return build("<" + key + "><gate>" + gate + "</gate></" + key + ">");
}

nmrc::Vector<3> on_bearing(double range, double theta, double phi) {
    return {range * std::sin(theta) * std::cos(phi), range * std::cos(theta) * std::cos(phi),
            range * std::sin(phi)};
}

double distance(const nmrc::Vector<6>& mean, const nmrc::Vector<3>& point) {
    return nmrc::norm(mean.segment<3>(0) - point);
}

TEST(RadarEkf, WrapsA359DegreeBearingDifferenceToMinusOneDegree) {
    // Predicted bearing 0.5 degrees; measured 359.5 degrees, that is -0.5.
    const nmrc::Vector<3> sigmas{1, 1 * degree, 1 * degree};
    const auto prior = estimate(on_bearing(1000, 0.5 * degree, 0), 100);
    const auto filter = updater("radar_position_velocity_ekf_contact_updater");

    ostrel::TrackState wrapped = track_with(prior);
    filter->update(radar_contact({0, 0, 0}, {1000, 359.5 * degree, 0}, sigmas), wrapped);
    ostrel::TrackState direct = track_with(prior);
    filter->update(radar_contact({0, 0, 0}, {1000, -0.5 * degree, 0}, sigmas), direct);

    ASSERT_TRUE(wrapped.gates);
    EXPECT_NEAR(wrapped.log_likelihood, direct.log_likelihood, 1e-12);
    for (int i = 0; i < 6; ++i)
        EXPECT_NEAR(estimate_of(wrapped).mean[i], estimate_of(direct).mean[i], 1e-9);
    // The estimate moved towards smaller bearings (west), not around the circle.
    EXPECT_LT(estimate_of(wrapped).mean[0], prior.mean[0]);
    // Its d^2 is that of a -1 degree innovation: with a gate just above it
    // the hypothesis survives, just below it is rejected.
    const double r = 1000, p = 100, s_theta = p / (r * r) + sigmas[1] * sigmas[1];
    const double d2 = std::pow(-1 * degree, 2) / s_theta;
    for (double factor : {1.001, 0.999}) {
        ostrel::TrackState gated = track_with(prior);
        updater("radar_position_velocity_ekf_contact_updater", std::to_string(d2 * factor))
            ->update(radar_contact({0, 0, 0}, {1000, 359.5 * degree, 0}, sigmas), gated);
        EXPECT_EQ(gated.gates, factor > 1) << factor;
    }
}

TEST(RadarUpdaters, KfAndEkfAgreeToFirstOrderForSmallAngleSigmas) {
    const nmrc::Vector<3> truth = on_bearing(2000, 30 * degree, 5 * degree);
    const auto contact =
        radar_contact({0, 0, 0}, {2000, 30 * degree, 5 * degree}, {0.5, 1e-5, 1e-5});
    // The largest difference of the two posterior means for a prior offset
    // from the truth.
    auto difference = [&](const nmrc::Vector<3>& offset) {
        const auto prior = estimate(truth + offset, 25);
        ostrel::TrackState kf = track_with(prior), ekf = track_with(prior);
        updater("radar_position_velocity_kf_contact_updater")->update(contact, kf);
        updater("radar_position_velocity_ekf_contact_updater")->update(contact, ekf);
        EXPECT_LT(distance(estimate_of(kf).mean, truth), 0.1 * nmrc::norm(offset));
        double largest = 0;
        for (int i = 0; i < 6; ++i)
            largest = std::max(largest, std::fabs(estimate_of(kf).mean[i] - estimate_of(ekf).mean[i]));
        return largest;
    };
    const nmrc::Vector<3> offset{3, -2, 1};
    const double full = difference(offset), half = difference(offset * 0.5);
    // Both moved the estimate most of the way to the truth and differ by
    // far less than the move; the difference is of second order in the
    // offset: halving it quarters the difference.
    EXPECT_LT(full, 1e-2);
    EXPECT_LT(half, 0.3 * full);
}

TEST(RadarUpdaters, IteratedUpdateReducesTheErrorOfALargePriorError) {
    // The prior is 200 m across at 1 km with a wide covariance: linearising
    // at it puts the bearing plane in the wrong place.
    const nmrc::Vector<3> truth = on_bearing(1000, 20 * degree, 2 * degree);
    const auto prior = estimate(on_bearing(1000, 32 * degree, 10 * degree), 250000);
    const auto contact = radar_contact({0, 0, 0}, {1000, 20 * degree, 2 * degree},
                                       {1, 0.1 * degree, 0.1 * degree});
    ostrel::TrackState ekf = track_with(prior), iekf = track_with(prior);
    updater("radar_position_velocity_ekf_contact_updater")->update(contact, ekf);
    updater("radar_position_velocity_iekf_contact_updater")->update(contact, iekf);
    const double ekf_error = distance(estimate_of(ekf).mean, truth);
    const double iekf_error = distance(estimate_of(iekf).mean, truth);
    EXPECT_GT(ekf_error, 5.0);
    EXPECT_LT(iekf_error, 0.5 * ekf_error);
    EXPECT_TRUE(iekf.gates);
}

TEST(AngleUpdaters, ATargetStraightAboveTheSensorIsInadmissible) {
    const auto above = estimate({0, 0, 500}, 100);
    struct Case {
        const char* key;
        state::CompositeState contact;
    };
    ostrel::EsmContact::Fields esm;
    esm.min_range = 100;
    esm.max_range = 900;
    esm.bearing_sigma = 1 * degree;
    esm.mode_distribution = dynamic({1});
    const Case cases[] = {
        {"radar_position_velocity_ekf_contact_updater",
         radar_contact({0, 0, 0}, {500, 0, 89 * degree}, {1, degree, degree})},
        {"theta_phi_position_velocity_ekf_contact_updater",
         theta_phi_contact({0, 0, 0}, 0, 89 * degree, degree, 100, 900)},
        {"esm_position_velocity_ekf_contact_updater", esm_contact(esm)},
        // The contact is straight up too, so the relinearisation point is.
        {"radar_position_velocity_iekf_contact_updater",
         radar_contact({0, 0, 0}, {500, 0, 90 * degree}, {1, degree, degree})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        ostrel::TrackState track = track_with(above);
        updater(c.key)->update(c.contact, track);
        EXPECT_FALSE(track.gates);
        EXPECT_EQ(track.log_likelihood, 0.0);
        EXPECT_EQ(estimate_of(track), above);  // no NaN estimate carried
    }
}

TEST(AngleUpdaters, EkfScoresWithTheAngleOnlyGaussianConstant) {
    // Theta-phi EKF at the predicted angles: d^2 = 0 and
    // ln p = -ln(2 pi) - ln det(S) / 2 with S = H P H^T + R, diagonal here.
    const double r = 100, p = 4, sigma = 0.01;
    const auto prior = estimate({0, r, 0}, p);
    ostrel::TrackState track = track_with(prior);
    updater("theta_phi_position_velocity_ekf_contact_updater")
        ->update(theta_phi_contact({0, 0, 0}, 0, 0, sigma, 10, 1000), track);
    const double s = p / (r * r) + sigma * sigma;  // both angles
    EXPECT_NEAR(track.log_likelihood, -std::log(2 * M_PI) - std::log(s), 1e-12);
    EXPECT_NEAR(estimate_of(track).mean[1], r, 1e-9);
}

TEST(AngleUpdaters, ConvertedUpdatesUseTheRangeIntervalMidpointAndAGateOnDistance) {
    // A theta-phi contact due north with ranges (100, 300): converted to
    // 200 m north; a track there passes, one at 10 km is gated out.
    const auto contact = theta_phi_contact({0, 0, 0}, 0, 0, 0.01, 100, 300);
    ostrel::TrackState near = track_with(estimate({0, 200, 0}, 1));
    updater("theta_phi_position_velocity_kf_contact_updater", "16")->update(contact, near);
    EXPECT_TRUE(near.gates);
    EXPECT_NEAR(estimate_of(near).mean[1], 200, 1e-9);
    ostrel::TrackState far = track_with(estimate({0, 10000, 0}, 1));
    updater("theta_phi_position_velocity_kf_contact_updater", "16")->update(contact, far);
    EXPECT_FALSE(far.gates);
    EXPECT_EQ(far.log_likelihood, 0.0);
    EXPECT_EQ(estimate_of(far).mean[1], 10000);
}

TEST(AngleUpdaters, RangeThetaPhiMatchesRadarWithTheSameDiagonalNoise) {
    const nmrc::Vector<3> z{800, 40 * degree, 3 * degree};
    const nmrc::Vector<3> sigmas{2, 0.2 * degree, 0.3 * degree};
    const auto prior = estimate(on_bearing(790, 41 * degree, 2 * degree), 400);
    nmrc::Normal<3> measured{
        z, nmrc::SymmetricMatrix<3>::diagonal(
               {sigmas[0] * sigmas[0], sigmas[1] * sigmas[1], sigmas[2] * sigmas[2]})};
    for (const char* kind : {"kf", "ekf", "iekf"}) {
        SCOPED_TRACE(kind);
        ostrel::TrackState radar = track_with(prior), rtp = track_with(prior);
        updater(std::string("radar_position_velocity_") + kind + "_contact_updater")
            ->update(radar_contact({5, 5, 0}, z, sigmas), radar);
        updater(std::string("range_theta_phi_position_velocity_") + kind + "_contact_updater")
            ->update(range_theta_phi_contact({5, 5, 0}, measured), rtp);
        EXPECT_NEAR(radar.log_likelihood, rtp.log_likelihood, 1e-9);
        for (int i = 0; i < 6; ++i)
            EXPECT_NEAR(estimate_of(radar).mean[i], estimate_of(rtp).mean[i], 1e-9);
    }
}

TEST(AngleUpdaters, TheNewEstimateHoldsAtTheContactTime) {
    ostrel::TrackState track = track_with(estimate({0, 100, 0}, 4), 7.0);
    updater("radar_position_velocity_ekf_contact_updater")
        ->update(radar_contact({0, 0, 0}, {100, 0, 0}, {1, 0.01, 0.01}, 7.5), track);
    EXPECT_EQ(track.states.get<state::PositionVelocityEstimateState<3>>().time, 7.5);
}

}  // namespace

namespace {

TEST(AngleUpdaters, AllThetaPhiUpdatersPullABearingErrorTowardsTheMeasurement) {
    const auto contact = theta_phi_contact({0, 0, 0}, 45 * degree, 0, 0.2 * degree, 500, 1500);
    const auto prior = estimate(on_bearing(1000, 50 * degree, 1 * degree), 10000);
    for (const char* kind : {"kf", "ekf", "iekf"}) {
        SCOPED_TRACE(kind);
        ostrel::TrackState track = track_with(prior);
        updater(std::string("theta_phi_position_velocity_") + kind + "_contact_updater")
            ->update(contact, track);
        ASSERT_TRUE(track.gates);
        const auto& m = estimate_of(track).mean;
        EXPECT_NEAR(std::atan2(m[0], m[1]), 45 * degree, 0.5 * degree);
        EXPECT_NEAR(m[2], 0, 10);
    }
}

}  // namespace
