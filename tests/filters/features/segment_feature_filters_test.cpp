#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "filters/features/feature_test_support.h"
#include "model/states/rgb_color_state.h"
#include "model/states/segment_size_state.h"
#include "support/expect_message.h"

namespace {

using feature_test::build;
using feature_test::contact;

state::StatePtr colour(double time, const nmrc::Vector<3>& mean, double variance) {
    return std::make_shared<const ostrel::RgbColorState>(
        time, nmrc::Normal<3>{mean, nmrc::SymmetricMatrix<3>::identity() * variance});
}
state::StatePtr size(double time, double mean, double variance) {
    return std::make_shared<const ostrel::SegmentSizeState>(
        time, nmrc::Normal<1>{{mean}, nmrc::SymmetricMatrix<1>::diagonal({variance})});
}

TEST(SegmentFeatureInitializers, ScoreAUniformFeatureUnlessUseScoreIsExactlyFalse) {
    struct Case {
        const char* text;
        bool scored;
    };
    for (const Case& c : {Case{"false", false}, Case{"False", true}, Case{"0", true},
                          Case{"true", true}, Case{"", true}}) {
        SCOPED_TRACE(c.text);
        const std::string use = std::string("<use_score>") + c.text + "</use_score>";
        ostrel::TrackState rgb(state::Label{0, 1}), sz(state::Label{0, 1});
        const auto z = colour(2, {10, 20, 30}, 4);
        build("<rgb_color_initializer>" + use + "</rgb_color_initializer>")->update(contact(z, 2), rgb);
        build("<segment_size_initializer>" + use + "</segment_size_initializer>")
            ->update(contact(size(2, 50, 9), 2), sz);
        EXPECT_DOUBLE_EQ(rgb.log_likelihood, c.scored ? -24 * std::log(2.0) : 0.0);
        EXPECT_DOUBLE_EQ(sz.log_likelihood, c.scored ? -3 * std::log(10.0) : 0.0);
        EXPECT_EQ(rgb.states.find<ostrel::RgbColorState>(), z);  // the contact's own state
    }
}

TEST(SegmentFeaturePredictors, GrowTheVariancesByTheNoiseOverTheInterval) {
    ostrel::TrackState track(state::Label{0, 1});
    nmrc::SymmetricMatrix<3> p = nmrc::SymmetricMatrix<3>::identity();
    p(0, 1) = 0.5;
    track.states.insert(std::make_shared<const ostrel::RgbColorState>(1.0, nmrc::Normal<3>{{1, 2, 3}, p}));
    build("<rgb_color_predictor><process_noise>1 2 3</process_noise></rgb_color_predictor>")
        ->update(contact(nullptr, 3.0), track);
    const auto& x = track.states.get<ostrel::RgbColorState>();
    EXPECT_EQ(x.time, 3.0);
    EXPECT_EQ(x.estimate.mean, (nmrc::Vector<3>{1, 2, 3}));
    EXPECT_DOUBLE_EQ(x.estimate.covariance(0, 0), 3);
    EXPECT_DOUBLE_EQ(x.estimate.covariance(1, 1), 5);
    EXPECT_DOUBLE_EQ(x.estimate.covariance(2, 2), 7);
    EXPECT_DOUBLE_EQ(x.estimate.covariance(0, 1), 0.5);

    ostrel::TrackState late(state::Label{0, 1});
    late.states.insert(size(5.0, 1, 1));
    testing::internal::CaptureStdout();
    EXPECT_MESSAGE(build("<segment_size_predictor><process_noise>1</process_noise></segment_size_predictor>")
                       ->update(contact(nullptr, 4.0), late),
                   "dt is negative in filter prediction.");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "dt = -1 4 5\n");
}

TEST(SegmentFeatureUpdaters, UpdateScoreAndGateLikeAPositionUpdate) {
    // Size: x = 10 (P = 3), z = 12 (R = 1): S = 4, d^2 = 1, K = 3/4.
    ostrel::TrackState track(state::Label{0, 1});
    track.states.insert(size(0, 10, 3));
    build("<segment_size_updater><gate>2</gate><use_score>true</use_score></segment_size_updater>")
        ->update(contact(size(1, 12, 1), 1), track);
    EXPECT_TRUE(track.gates);
    EXPECT_NEAR(track.log_likelihood, -0.5 * std::log(2 * M_PI) - 0.5 - 0.5 * std::log(4.0), 1e-12);
    const auto& x = track.states.get<ostrel::SegmentSizeState>();
    EXPECT_NEAR(x.estimate.mean[0], 11.5, 1e-12);
    EXPECT_NEAR(x.estimate.covariance(0, 0), 0.75, 1e-12);
    EXPECT_EQ(x.time, 1);
}

TEST(SegmentFeatureUpdaters, WithoutScoreStillRejectByGateAndLeaveTheScore) {
    ostrel::TrackState track(state::Label{0, 1});
    track.states.insert(colour(0, {0, 0, 0}, 1));
    build("<rgb_color_updater><gate>4</gate><use_score>false</use_score></rgb_color_updater>")
        ->update(contact(colour(1, {4, 0, 0}, 1), 1), track);  // d^2 = 16 / 2 = 8
    EXPECT_FALSE(track.gates);
    EXPECT_EQ(track.log_likelihood, 0.0);
    EXPECT_NEAR(track.states.get<ostrel::RgbColorState>().estimate.mean[0], 2, 1e-12);
}

}  // namespace
