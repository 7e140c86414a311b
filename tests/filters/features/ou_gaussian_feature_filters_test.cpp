#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "filters/features/feature_test_support.h"
#include "model/states/gaussian_feature_state.h"
#include "model/states/gaussian_feature_vector_state.h"
#include "support/expect_message.h"

namespace {

using feature_test::build;
using feature_test::contact;

// c = (5, -1), sigma = (2, 0.5), q = (0.8, 0.01): gamma = (0.1, 0.02).
const std::string process_2d =
    "<ou_process_2d><center>5 -1</center><sigma>2 0.5</sigma><process_noise>0.8 0.01"
    "</process_noise></ou_process_2d>";
const std::string process_1d =
    "<ou_process_1d><center>5</center><sigma>2</sigma><process_noise>0.8</process_noise>"
    "</ou_process_1d>";

using Feature2 = state::GaussianFeatureState<2>;
using FeatureVector = state::GaussianFeatureVectorState;

ostrel::TrackState track_with(state::StatePtr feature) {
    ostrel::TrackState track(state::Label{0, 1});
    track.states.insert(std::move(feature));
    return track;
}

const Feature2& predicted_2d(double dt) {
    static ostrel::TrackState track;
    track = track_with(std::make_shared<const Feature2>(1.0, nmrc::Vector<2>{0, 3},
                                                        nmrc::Vector<2>{0.1, 0.2}));
    build("<ou_gaussian_feature_state_predictor_2d>" + process_2d +
          "</ou_gaussian_feature_state_predictor_2d>")
        ->update(contact(nullptr, 1.0 + dt), track);
    return track.states.get<Feature2>();
}

TEST(OuFeaturePredictor, LeavesTheFeatureUnchangedAtZeroInterval) {
    const Feature2& x = predicted_2d(0.0);
    EXPECT_EQ(x.mean, (nmrc::Vector<2>{0, 3}));
    EXPECT_EQ(x.sigma, (nmrc::Vector<2>{0.1, 0.2}));
    EXPECT_EQ(x.time, 1.0);
}

TEST(OuFeaturePredictor, TendsToTheStationaryLawAsTheIntervalGrows) {
    double previous_error = INFINITY;
    for (double dt : {10.0, 100.0, 1000.0, 1e5}) {
        SCOPED_TRACE(dt);
        const Feature2& x = predicted_2d(dt);
        const double error = std::fabs(x.mean[0] - 5) + std::fabs(x.mean[1] + 1) +
                             std::fabs(x.sigma[0] - 2) + std::fabs(x.sigma[1] - 0.5);
        EXPECT_LT(error, previous_error);
        previous_error = error;
    }
    EXPECT_LT(previous_error, 1e-12);
}

TEST(OuFeaturePredictor, MatchesTheExactLawAndStaysAccurateForSmallRateTimesInterval) {
    for (double dt : {1e-9, 1e-3, 0.7, 3.0, 25.0}) {
        SCOPED_TRACE(dt);
        const Feature2& x = predicted_2d(dt);
        // mean' = c + e^{-g dt}(mean - c); sd'^2 = e^{-2 g dt} sd^2 - sigma^2 expm1(-2 g dt)
        const double c[2] = {5, -1}, sigma[2] = {2, 0.5}, g[2] = {0.1, 0.02}, m[2] = {0, 3},
                     sd[2] = {0.1, 0.2};
        for (int i = 0; i < 2; ++i) {
            const double a = std::exp(-g[i] * dt);
            const double var = a * a * sd[i] * sd[i] - sigma[i] * sigma[i] * std::expm1(-2 * g[i] * dt);
            EXPECT_NEAR(x.mean[i], c[i] + a * (m[i] - c[i]), 1e-13);
            EXPECT_NEAR(x.sigma[i] * x.sigma[i], var, 1e-15 + 1e-13 * var);
        }
    }
}

TEST(OuFeaturePredictor, TheVectorKindFollowsTheOneDimensionalProcessPerComponent) {
    ostrel::TrackState one = track_with(std::make_shared<const state::GaussianFeatureState<1>>(
        0.0, nmrc::Vector<1>{1.5}, nmrc::Vector<1>{0.3}));
    build("<ou_gaussian_feature_state_predictor_1d>" + process_1d +
          "</ou_gaussian_feature_state_predictor_1d>")
        ->update(contact(nullptr, 2.5), one);
    nmrc::DynamicVector mean(3, 1.5), sigma(3, 0.3);
    ostrel::TrackState many = track_with(std::make_shared<const FeatureVector>(0.0, mean, sigma));
    build("<ou_gaussian_feature_vector_state_predictor>" + process_1d +
          "</ou_gaussian_feature_vector_state_predictor>")
        ->update(contact(nullptr, 2.5), many);
    const auto& x = one.states.get<state::GaussianFeatureState<1>>();
    const auto& v = many.states.get<FeatureVector>();
    ASSERT_EQ(v.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(v.mean[i], x.mean[0]);
        EXPECT_EQ(v.sigma[i], x.sigma[0]);
    }
    EXPECT_EQ(v.time, 2.5);
}

TEST(OuFeatureInitializers, StartAtTheStationaryLawAtTheContactTime) {
    ostrel::TrackState fixed(state::Label{0, 1});
    build("<ou_gaussian_feature_state_initializer_2d>" + process_2d +
          "</ou_gaussian_feature_state_initializer_2d>")
        ->update(contact(nullptr, 4.0), fixed);
    const auto& x = fixed.states.get<Feature2>();
    EXPECT_EQ(x.mean, (nmrc::Vector<2>{5, -1}));
    EXPECT_EQ(x.sigma, (nmrc::Vector<2>{2, 0.5}));
    EXPECT_EQ(x.time, 4.0);
    EXPECT_EQ(fixed.log_likelihood, 0.0);

    // The vector kind takes its length from the contact's feature.
    ostrel::TrackState vector(state::Label{0, 1});
    build("<ou_gaussian_feature_vector_state_initializer>" + process_1d +
          "</ou_gaussian_feature_vector_state_initializer>")
        ->update(contact(std::make_shared<const FeatureVector>(4.0, nmrc::DynamicVector(4, 9.0),
                                                               nmrc::DynamicVector(4, 1.0)),
                         4.0),
                 vector);
    const auto& v = vector.states.get<FeatureVector>();
    ASSERT_EQ(v.size(), 4);
    EXPECT_EQ(v.mean[3], 5.0);
    EXPECT_EQ(v.sigma[0], 2.0);
}

TEST(OuFeatureUpdater, ScoresFusesAndThenRunsTheInnerFilter) {
    // x = (0, 0), st = (1, 2); z = (2, 0), sc = (1, 1): S = (2, 5), d^2 = 2.
    const auto track_feature = std::make_shared<const Feature2>(0.0, nmrc::Vector<2>{0, 0},
                                                                nmrc::Vector<2>{1, 2});
    const auto z = contact(std::make_shared<const Feature2>(1.0, nmrc::Vector<2>{2, 0},
                                                            nmrc::Vector<2>{1, 1}),
                           1.0);
    auto updater = [](const char* gate, const char* inner) {
        return build(std::string("<ou_gaussian_feature_state_updater_and_gater_2d><gate>") + gate +
                     "</gate><filter><" + inner + "/></filter></ou_gaussian_feature_state_updater_and_gater_2d>");
    };
    ostrel::TrackState pass = track_with(track_feature);
    updater("2.01", "no_op")->update(z, pass);
    ASSERT_TRUE(pass.gates);
    EXPECT_NEAR(pass.log_likelihood,
                -std::log(2 * M_PI) - 1 - 0.5 * (std::log(2.0) + std::log(5.0)), 1e-12);
    const auto& x = pass.states.get<Feature2>();
    EXPECT_NEAR(x.mean[0], 1, 1e-12);                    // K = 1/2
    EXPECT_NEAR(x.sigma[0], std::sqrt(0.5), 1e-12);      // sqrt(1 (1 - 1/2))
    EXPECT_NEAR(x.sigma[1], std::sqrt(4 * 0.2), 1e-12);  // sqrt(4 (1 - 4/5))
    EXPECT_EQ(x.time, 1.0);

    // The inner filter runs after an accepted update, never after a rejected one.
    ostrel::TrackState inner_ran = track_with(track_feature);
    EXPECT_MESSAGE(updater("2.01", "bad_op")->update(z, inner_ran), "BadOp::update called");
    ostrel::TrackState rejected = track_with(track_feature);
    EXPECT_NO_THROW(updater("2", "bad_op")->update(z, rejected));
    EXPECT_FALSE(rejected.gates);
    EXPECT_EQ(rejected.log_likelihood, 0.0);
    EXPECT_EQ(rejected.states.find<Feature2>(), track_feature);
}

TEST(OuFeatureUpdater, TheVectorKindNeedsEqualLengths) {
    ostrel::TrackState track = track_with(
        std::make_shared<const FeatureVector>(0.0, nmrc::DynamicVector(2, 0.0), nmrc::DynamicVector(2, 1.0)));
    const auto z = contact(
        std::make_shared<const FeatureVector>(1.0, nmrc::DynamicVector(3, 0.0), nmrc::DynamicVector(3, 1.0)),
        1.0);
    EXPECT_MESSAGE(build("<ou_gaussian_feature_vector_state_updater_and_gater><gate>9</gate>"
                         "<filter><no_op/></filter></ou_gaussian_feature_vector_state_updater_and_gater>")
                       ->update(z, track),
                   "size mismatch in OuGaussianFeatureVectorStateUpdaterAndGater: the contact's "
                   "feature vector has 3 entries, the track's has 2");
}

TEST(OuFeatureUpdater, TheVectorKindMatchesTheFixedKindComponentByComponent) {
    const nmrc::Vector<2> xm{0, 1}, xs{1, 2}, zm{0.5, 2}, zs{1, 0.5};
    auto dyn = [](const nmrc::Vector<2>& v) {
        nmrc::DynamicVector d(2);
        d[0] = v[0];
        d[1] = v[1];
        return d;
    };
    ostrel::TrackState fixed = track_with(std::make_shared<const Feature2>(0.0, xm, xs));
    build("<ou_gaussian_feature_state_updater_and_gater_2d><gate>9</gate><filter><no_op/></filter>"
          "</ou_gaussian_feature_state_updater_and_gater_2d>")
        ->update(contact(std::make_shared<const Feature2>(1.0, zm, zs), 1.0), fixed);
    ostrel::TrackState vector = track_with(std::make_shared<const FeatureVector>(0.0, dyn(xm), dyn(xs)));
    build("<ou_gaussian_feature_vector_state_updater_and_gater><gate>9</gate><filter><no_op/></filter>"
          "</ou_gaussian_feature_vector_state_updater_and_gater>")
        ->update(contact(std::make_shared<const FeatureVector>(1.0, dyn(zm), dyn(zs)), 1.0), vector);
    EXPECT_DOUBLE_EQ(fixed.log_likelihood, vector.log_likelihood);
    for (int i = 0; i < 2; ++i) {
        EXPECT_DOUBLE_EQ(fixed.states.get<Feature2>().mean[i], vector.states.get<FeatureVector>().mean[i]);
        EXPECT_DOUBLE_EQ(fixed.states.get<Feature2>().sigma[i], vector.states.get<FeatureVector>().sigma[i]);
    }
}

}  // namespace
