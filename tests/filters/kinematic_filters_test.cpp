#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "filter_test_support.h"
#include "filters/mou_predictor.h"
#include "filters/nearly_constant_velocity_predictor.h"
#include "model/states/m_of_n_state.h"
#include "model/states/position_velocity_state.h"
#include "numerics/constant_velocity_sde.h"
#include "reference_kalman.h"
#include "support/expect_message.h"

namespace {

using namespace ostrel;
using filter_test::build;
using nmrc::SymmetricMatrix;
using nmrc::Vector;

const double log_2pi = std::log(2.0 * M_PI);

template <int N>
SymmetricMatrix<N> sym(std::initializer_list<double> row_major) {
    return SymmetricMatrix<N>::from_lower(nmrc::Matrix<N, N>(row_major));
}

template <int N>
void expect_near(const SymmetricMatrix<N>& actual, const SymmetricMatrix<N>& expected, double tolerance) {
    for (int i = 0; i < N; ++i)
        for (int j = 0; j <= i; ++j) EXPECT_NEAR(actual(i, j), expected(i, j), tolerance) << i << "," << j;
}

TEST(NearlyConstantVelocityPredictor, ZeroIntervalLeavesTheEstimateUnchanged) {
    auto ncv = build("<nearly_constant_velocity_2d_predictor><process_noise>3 5</process_noise>"
                     "</nearly_constant_velocity_2d_predictor>");
    const auto p = sym<4>({2, 0.5, 0.1, 0, 0.5, 3, 0, 0.2, 0.1, 0, 1, 0.3, 0, 0.2, 0.3, 4});
    TrackState track(state::Label{0, 1});
    filter_test::put_estimate<2>(track, {1, 2, 3, 4}, p, 6.0);
    ncv->update(filter_test::contact_at(6.0), track);
    const auto& predicted = track.states.get<state::PositionVelocityEstimateState<2>>();
    EXPECT_EQ(predicted.estimate.mean, (Vector<4>{1, 2, 3, 4}));
    EXPECT_EQ(predicted.estimate.covariance, p);
    EXPECT_EQ(predicted.time, 6.0);
}

// The predictor's covariance step skips the zeros and ones of F; it must
// agree bit for bit with the general product F P F^T + Q, including the
// non-finite case where 0 * inf turns into NaN.
TEST(NearlyConstantVelocityPredictor, CovarianceMatchesTheGeneralProductExactly) {
    const std::vector<double> q{0.3, 1.7};
    auto ncv = build("<nearly_constant_velocity_2d_predictor><process_noise>0.3 1.7</process_noise>"
                     "</nearly_constant_velocity_2d_predictor>");
    const auto& predictor = dynamic_cast<const NearlyConstantVelocityPredictor<2>&>(*ncv);
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<SymmetricMatrix<4>> covariances{
        sym<4>({2, 0.5, 0.1, 0, 0.5, 3, 0, 0.2, 0.1, 0, 1, 0.3, 0, 0.2, 0.3, 4}),
        sym<4>({1e-9, -0.3, 1e5, -0.0, -0.3, 7.25, 0.0, -2.5, 1e5, 0.0, 1e11, 0.1, -0.0, -2.5, 0.1, 0.7}),
        sym<4>({inf, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}),
    };
    for (const auto& p : covariances) {
        for (double dt : {0.0, 0.1, 1.0, 3.7, 1e4}) {
            auto f = nmrc::Matrix<4, 4>::identity();
            f(0, 2) = f(1, 3) = dt;
            SymmetricMatrix<4> expected = nmrc::transform(f, p);
            for (int i = 0; i < 2; ++i) {
                expected(i, i) += q[i] * dt * dt * dt / 3.0;
                expected(i, 2 + i) += q[i] * dt * dt / 2.0;
                expected(2 + i, 2 + i) += q[i] * dt;
            }
            const SymmetricMatrix<4> actual = predictor.predicted_covariance(p, dt);
            for (int i = 0; i < 4; ++i)
                for (int j = 0; j <= i; ++j) {
                    const double a = actual(i, j), e = expected(i, j);
                    if (std::isnan(e)) {
                        EXPECT_TRUE(std::isnan(a)) << i << "," << j << " dt " << dt;
                    } else {
                        EXPECT_EQ(std::memcmp(&a, &e, sizeof a), 0)
                            << i << "," << j << " dt " << dt << ": " << a << " vs " << e;
                    }
                }
        }
    }
}

TEST(NearlyConstantVelocityPredictor, PredictsMeanAndCovarianceOverAnInterval) {
    auto ncv = build("<nearly_constant_velocity_2d_predictor><process_noise>0.5 1</process_noise>"
                     "</nearly_constant_velocity_2d_predictor>");
    TrackState track(state::Label{0, 1});
    filter_test::put_estimate<2>(track, {1, 2, 3, 4}, SymmetricMatrix<4>::identity(), 1.0);
    ncv->update(filter_test::contact_at(3.0), track);  // dt = 2
    const auto& predicted = track.states.get<state::PositionVelocityEstimateState<2>>();
    EXPECT_EQ(predicted.time, 3.0);
    EXPECT_EQ(predicted.estimate.mean, (Vector<4>{7, 10, 3, 4}));
    // Per axis F I F^T = [[1 + dt^2, dt], [dt, 1]] plus
    // Q = q [[dt^3/3, dt^2/2], [dt^2/2, dt]]; no coupling between axes.
    expect_near(predicted.estimate.covariance,
                sym<4>({5 + 4.0 / 3, 0, 3, 0,  //
                        0, 5 + 8.0 / 3, 0, 4,  //
                        3, 0, 2, 0,            //
                        0, 4, 0, 3}),
                1e-12);
}

// Hypotheses of one track share their estimate; predicting it again to the
// same time with the same noise hands out the prediction made before, and
// anything else is predicted afresh.
TEST(NearlyConstantVelocityPredictor, SharesAPredictionOnlyForTheSameEstimateTimeAndNoise) {
    const auto predictor = [](const char* noise) {
        return build(std::string("<nearly_constant_velocity_2d_predictor><process_noise>") + noise +
                     "</process_noise></nearly_constant_velocity_2d_predictor>");
    };
    auto first = predictor("0.5 1"), twin = predictor("0.5 1"), other = predictor("0.5 2");
    TrackState track(state::Label{0, 1});
    filter_test::put_estimate<2>(track, {1, 2, 3, 4}, SymmetricMatrix<4>::identity(), 1.0);
    using Estimate = state::PositionVelocityEstimateState<2>;
    const auto predicted = [&](const FilterPtr& filter, double time) {
        TrackState copy = track;
        filter->update(filter_test::contact_at(time), copy);
        return copy.states.get_ptr<Estimate>();
    };
    const auto made = predicted(first, 3.0);
    EXPECT_EQ(predicted(twin, 3.0), made);
    const auto noisier = predicted(other, 3.0);
    EXPECT_NE(noisier, made);
    EXPECT_EQ(noisier->estimate.covariance(1, 1), 5 + 8.0 / 3 * 2);
    const auto later = predicted(first, 4.0);
    EXPECT_EQ(later->time, 4.0);
    EXPECT_EQ(later->estimate.mean, (Vector<4>{10, 14, 3, 4}));
}

TEST(NearlyConstantVelocityPredictor, RefusesToPredictBackwards) {
    auto ncv = build("<nearly_constant_velocity_3d_predictor><process_noise>1 1 1</process_noise>"
                     "</nearly_constant_velocity_3d_predictor>");
    TrackState track(state::Label{0, 1});
    filter_test::put_estimate<3>(track, {}, SymmetricMatrix<6>::identity(), 5.0);
    testing::internal::CaptureStdout();
    EXPECT_MESSAGE(ncv->update(filter_test::contact_at(4.5), track), "dt is negative in filter prediction.");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "dt = -0.5 4.5 5\n");
    EXPECT_EQ(track.states.get<state::PositionVelocityEstimateState<3>>().time, 5.0);

    testing::internal::CaptureStdout();
    EXPECT_MESSAGE(ncv->update(filter_test::contact_at(std::nan("")), track),
                   "dt is negative in filter prediction.");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST(NearlyConstantPositionPredictor, GrowsOnlyTheVariances) {
    auto ncp = build("<nearly_constant_position_2d_predictor><process_noise>0.5 2</process_noise>"
                     "</nearly_constant_position_2d_predictor>");
    TrackState track(state::Label{0, 1});
    track.states.insert(std::make_shared<const state::PositionEstimateState<2>>(
        filter_test::normal<2>({4, 5}, sym<2>({1, 0.3, 0.3, 2})), 1.0));
    ncp->update(filter_test::contact_at(4.0), track);
    const auto& predicted = track.states.get<state::PositionEstimateState<2>>();
    EXPECT_EQ(predicted.time, 4.0);
    EXPECT_EQ(predicted.estimate.mean, (Vector<2>{4, 5}));
    expect_near(predicted.estimate.covariance, sym<2>({2.5, 0.3, 0.3, 8}), 1e-15);
}

// The MOU predictor must reproduce, axis by axis, the closed-form
// discretisation of dx = A x dt + g dW with A = [[0, 1], [-kappa, -gamma]].
TEST(MouPredictor, AgreesWithTheConstantVelocitySdeOfEachAxis) {
    auto filter = build(
        "<mou_2d_predictor><mou_process_2d><center>10 -5</center><position_sigma>4 2</position_sigma>"
        "<velocity_sigma>1 0.5</velocity_sigma><process_noise>0.6 0.2</process_noise></mou_process_2d>"
        "</mou_2d_predictor>");
    const auto& mou = dynamic_cast<const MouPredictor<2>&>(*filter);
    const double center[2] = {10, -5};
    nmrc::ConstantVelocitySDE axes[2] = {
        nmrc::ConstantVelocitySDE({0, 1, -1.0 / 16, -0.6 / 2}, 0.6),
        nmrc::ConstantVelocitySDE({0, 1, -1.0 / 16, -0.2 / 0.5}, 0.2),
    };
    const Vector<4> mean{13, -4, 0.5, -0.25};
    const auto p = sym<4>({3, 0.2, 0.4, 0, 0.2, 2, 0, 0.1, 0.4, 0, 1, 0.05, 0, 0.1, 0.05, 0.5});
    const double dt = 1.7;

    TrackState track(state::Label{0, 1});
    filter_test::put_estimate<2>(track, mean, p, 2.0);
    filter->update(filter_test::contact_at(2.0 + dt), track);
    const auto& predicted = filter_test::estimate_of<2>(track);

    // Reference: Phi and Q of each axis applied to that axis's (p - c, v) block.
    reference::Mat phi = reference::zeros(4, 4), q = reference::zeros(4, 4), full_p = reference::zeros(4, 4);
    for (int i = 0; i < 2; ++i) {
        const auto a = axes[i].transition(dt);
        const auto c = axes[i].covariance(dt);
        const int idx[2] = {i, 2 + i};
        for (int r = 0; r < 2; ++r)
            for (int s = 0; s < 2; ++s) {
                phi[idx[r]][idx[s]] = a(r, s);
                q[idx[r]][idx[s]] = c(r, s);
            }
        const double offset = mean[i] - center[i];
        EXPECT_NEAR(predicted.mean[i], center[i] + a(0, 0) * offset + a(0, 1) * mean[2 + i], 1e-12);
        EXPECT_NEAR(predicted.mean[2 + i], a(1, 0) * offset + a(1, 1) * mean[2 + i], 1e-12);
        EXPECT_NEAR(mou.predicted_position(mean, dt)[i], predicted.mean[i], 1e-12);
    }
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) full_p[i][j] = p(i, j);
    const auto expected = reference::add(reference::mul(reference::mul(phi, full_p), reference::transpose(phi)), q);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) EXPECT_NEAR(predicted.covariance(i, j), expected[i][j], 1e-12);
}

TEST(MouPredictor, KeepsTheSteadyStateItsInitializerStartsFrom) {
    const std::string process =
        "<mou_process_2d><center>1 2</center><position_sigma>3 5</position_sigma>"
        "<velocity_sigma>0.5 2</velocity_sigma><process_noise>0.4 3</process_noise></mou_process_2d>";
    auto initializer = build("<mou_steady_state_2d_initializer>" + process + "</mou_steady_state_2d_initializer>");
    auto predictor = build("<mou_2d_predictor>" + process + "</mou_2d_predictor>");
    TrackState track(state::Label{0, 1});
    initializer->update(filter_test::position_contact<2>(4.0, {100, 100}, SymmetricMatrix<2>::identity()), track);
    const auto start = filter_test::estimate_of<2>(track);
    EXPECT_EQ(track.states.get<state::PositionVelocityEstimateState<2>>().time, 4.0);
    EXPECT_EQ(start.mean, (Vector<4>{1, 2, 0, 0}));  // the contact's position is not used
    EXPECT_EQ(start.covariance, SymmetricMatrix<4>::diagonal({9, 25, 0.25, 4}));
    EXPECT_EQ(track.log_likelihood, 0.0);

    predictor->update(filter_test::contact_at(9.5), track);
    expect_near(filter_test::estimate_of<2>(track).covariance, start.covariance, 1e-9);
    EXPECT_EQ(filter_test::estimate_of<2>(track).mean, start.mean);
}

TEST(PositionInitializers, StartFromTheContactAndScoreTheSurveillanceArea) {
    auto pv = build("<position_position_velocity_2d_initializer>"
                    "<prior_velocity_covariance>4 1 1 9</prior_velocity_covariance>"
                    "<nominal_surveillance_area>250</nominal_surveillance_area>"
                    "</position_position_velocity_2d_initializer>");
    TrackState track(state::Label{0, 1});
    pv->update(filter_test::position_contact<2>(3.0, {10, 20}, sym<2>({2, 0.5, 0.5, 3})), track);
    const auto& started = track.states.get<state::PositionVelocityEstimateState<2>>();
    EXPECT_EQ(started.time, 3.0);
    EXPECT_EQ(started.estimate.mean, (Vector<4>{10, 20, 0, 0}));
    EXPECT_EQ(started.estimate.covariance, sym<4>({2, 0.5, 0, 0, 0.5, 3, 0, 0, 0, 0, 4, 1, 0, 0, 1, 9}));
    EXPECT_NEAR(track.log_likelihood, -std::log(250.0), 1e-15);

    auto p = build("<position_position_3d_initializer><nominal_surveillance_area>1</nominal_surveillance_area>"
                   "</position_position_3d_initializer>");
    TrackState other(state::Label{0, 1});
    const auto contact = filter_test::position_contact<3>(2.0, {1, 2, 3}, SymmetricMatrix<3>::identity());
    p->update(contact, other);
    EXPECT_EQ(other.log_likelihood, 0.0);  // A = 1
    EXPECT_EQ(other.states.get<state::PositionEstimateState<3>>().estimate,
              contact.get<state::PositionEstimateState<3>>().estimate);
}

const char* const updater_2d =
    "<position_position_2d_contact_updater_and_gater><filter><m_of_n_initializer/></filter>"
    "<gate>%s</gate></position_position_2d_contact_updater_and_gater>";

FilterPtr position_updater(const std::string& gate) {
    std::string element = updater_2d;
    element.replace(element.find("%s"), 2, gate);
    return build(element);
}

TrackState position_track() {
    TrackState track(state::Label{0, 1});
    track.states.insert(std::make_shared<const state::PositionEstimateState<2>>(
        filter_test::normal<2>({0, 0}, SymmetricMatrix<2>::diagonal({3, 1})), 5.0));
    return track;
}

TEST(PositionContactUpdater, UpdatesScoresAndRunsItsInnerFilter) {
    // x = 0, P = diag(3, 1), z = (2, 1), R = I: S = diag(4, 2), d^2 = 4/4 + 1/2,
    // ln p = -ln(2 pi) - d^2/2 - ln(2 sqrt 2), K = diag(3/4, 1/2).
    auto updater = position_updater("9");
    TrackState track = position_track();
    updater->update(filter_test::position_contact<2>(5.0, {2, 1}, SymmetricMatrix<2>::identity()), track);
    ASSERT_TRUE(track.gates);
    EXPECT_NEAR(track.log_likelihood, -log_2pi - 0.75 - std::log(2.0 * std::sqrt(2.0)), 1e-14);
    const auto& updated = track.states.get<state::PositionEstimateState<2>>();
    EXPECT_NEAR(updated.estimate.mean[0], 1.5, 1e-15);
    EXPECT_NEAR(updated.estimate.mean[1], 0.5, 1e-15);
    expect_near(updated.estimate.covariance, SymmetricMatrix<2>::diagonal({0.75, 0.5}), 1e-15);
    EXPECT_TRUE(track.states.has<MofNState>());  // the inner filter ran
}

TEST(PositionContactUpdater, GatesOnTheSquaredMahalanobisDistance) {
    const auto contact = filter_test::position_contact<2>(5.0, {2, 1}, SymmetricMatrix<2>::identity());
    const auto at_prediction = filter_test::position_contact<2>(5.0, {0, 0}, SymmetricMatrix<2>::identity());
    const auto far_away = filter_test::position_contact<2>(5.0, {1e6, -1e6}, SymmetricMatrix<2>::identity());
    struct GateCase {
        const char* gate;
        const state::CompositeState* contact;
        bool admitted;
    } cases[] = {
        {"1.5", &contact, false},  // d^2 = 1.5 >= gate
        {"1.5000001", &contact, true},
        {"0", &at_prediction, false},  // d^2 = 0 >= 0: a zero gate rejects everything
        {"infinity", &far_away, true},
    };
    for (const GateCase& c : cases) {
        SCOPED_TRACE(c.gate);
        TrackState track = position_track();
        const auto prior = track.states.find<state::PositionEstimateState<2>>();
        position_updater(c.gate)->update(*c.contact, track);
        EXPECT_EQ(track.gates, c.admitted);
        EXPECT_EQ(track.states.has<MofNState>(), c.admitted);
        if (!c.admitted) {
            EXPECT_EQ(track.log_likelihood, 0.0);
            EXPECT_EQ(track.states.find<state::PositionEstimateState<2>>(), prior);
        }
    }
}

TEST(PositionContactUpdater, SkipsItsInnerFilterOnAnAlreadyRejectedHypothesis) {
    TrackState track = position_track();
    track.gates = false;
    position_updater("infinity")->update(
        filter_test::position_contact<2>(5.0, {2, 1}, SymmetricMatrix<2>::identity()), track);
    EXPECT_FALSE(track.states.has<MofNState>());
}

TEST(PositionVelocityUpdater, AgreesWithAReferenceKalmanUpdate) {
    auto updater = build("<position_position_velocity_2d_contact_updater_and_gater><filter><no_op/></filter>"
                         "<gate>infinity</gate></position_position_velocity_2d_contact_updater_and_gater>");
    const Vector<4> x{10, 20, 1, -2};
    const auto p = sym<4>({4, 1, 2, 0.5, 1, 5, 0.3, 1.5, 2, 0.3, 3, 0.2, 0.5, 1.5, 0.2, 2});
    const Vector<2> z{13, 18.5};
    const auto r = sym<2>({2, 0.4, 0.4, 1});
    TrackState track(state::Label{0, 1});
    filter_test::put_estimate<2>(track, x, p, 7.0);
    updater->update(filter_test::position_contact<2>(7.0, z, r), track);

    reference::Mat ref_p = reference::zeros(4, 4);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) ref_p[i][j] = p(i, j);
    const auto expected = reference::kalman({10, 20, 1, -2}, ref_p, {{1, 0, 0, 0}, {0, 1, 0, 0}}, {13, 18.5},
                                            {{2, 0.4}, {0.4, 1}});
    const auto& updated = filter_test::estimate_of<2>(track);
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(updated.mean[i], expected.mean[i], 1e-12);
        for (int j = 0; j < 4; ++j) EXPECT_NEAR(updated.covariance(i, j), expected.covariance[i][j], 1e-12);
    }
    EXPECT_NEAR(track.log_likelihood, expected.log_density, 1e-12);
}

TEST(PositionVelocityPositionVelocityUpdater, UpdatesWithTheFullState) {
    auto updater = build("<position_velocity_position_velocity_3d_contact_updater><gate>2</gate>"
                         "</position_velocity_position_velocity_3d_contact_updater>");
    state::CompositeState contact = filter_test::contact_at(8.0);
    contact.insert(std::make_shared<const state::PositionVelocityEstimateState<3>>(
        filter_test::normal<6>({1, 0, 0, 0, 0, 0}, SymmetricMatrix<6>::identity()), 8.0));
    TrackState track(state::Label{0, 1});
    filter_test::put_estimate<3>(track, {}, SymmetricMatrix<6>::identity(), 7.5);
    updater->update(contact, track);
    // S = 2 I, d^2 = 1/2, ln p = -3 ln(2 pi) - 1/4 - 3 ln 2; K = I/2
    ASSERT_TRUE(track.gates);
    EXPECT_NEAR(track.log_likelihood, -3 * log_2pi - 0.25 - 3 * std::log(2.0), 1e-14);
    EXPECT_EQ(track.states.get<state::PositionVelocityEstimateState<3>>().time, 8.0);
    EXPECT_NEAR(filter_test::estimate_of<3>(track).mean[0], 0.5, 1e-15);
    EXPECT_EQ(filter_test::estimate_of<3>(track).mean[1], 0.0);
    expect_near(filter_test::estimate_of<3>(track).covariance, SymmetricMatrix<6>::identity() * 0.5, 1e-15);

    state::CompositeState far = filter_test::contact_at(8.0);
    far.insert(std::make_shared<const state::PositionVelocityEstimateState<3>>(
        filter_test::normal<6>({0, 0, 0, 0, 3, 0}, SymmetricMatrix<6>::identity()), 8.0));
    TrackState rejected(state::Label{0, 1});
    filter_test::put_estimate<3>(rejected, {}, SymmetricMatrix<6>::identity(), 7.5);
    updater->update(far, rejected);  // d^2 = 9/2 >= gate
    EXPECT_FALSE(rejected.gates);
    EXPECT_EQ(rejected.log_likelihood, 0.0);
}

TEST(EstimateMetrics, ScoreAnEstimateAgainstTheTrackTruth) {
    state::CompositeState contact = filter_test::contact_at(1.0);
    contact.insert(std::make_shared<const state::PositionVelocityEstimateState<2>>(
        filter_test::normal<4>({0, 0, 1, 1}, SymmetricMatrix<4>::identity()), 1.0));
    auto truth_track = [] {
        TrackState track(state::Label{0, 1});
        track.states.insert(std::make_shared<const state::PositionVelocityState<2>>(Vector<2>{3, 4}, Vector<2>{1, 3}));
        track.log_likelihood = 100.0;
        return track;
    };
    for (const char* limit : {"4.9", "5", "infinity"}) {
        SCOPED_TRACE(limit);
        TrackState track = truth_track();
        build(std::string("<position_velocity_position_velocity_estimate_distance_metric_2d><maximum_distance>") +
              limit + "</maximum_distance></position_velocity_position_velocity_estimate_distance_metric_2d>")
            ->update(contact, track);
        EXPECT_DOUBLE_EQ(track.log_likelihood, 5.0);
        EXPECT_EQ(track.gates, std::string(limit) != "4.9");
    }
    // delta = (-3, -4, 0, -2), P = I: d^2 = 29
    for (const char* gate : {"29", "infinity"}) {
        SCOPED_TRACE(gate);
        TrackState track = truth_track();
        build(std::string("<position_velocity_position_velocity_estimate_mahalanobis_metric_2d><gate>") + gate +
              "</gate></position_velocity_position_velocity_estimate_mahalanobis_metric_2d>")
            ->update(contact, track);
        EXPECT_NEAR(track.log_likelihood, 100.0 - 2 * log_2pi - 14.5, 1e-12);
        EXPECT_EQ(track.gates, std::string(gate) == "infinity");
    }
}

}  // namespace
