#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/states/gaussian_feature_state.h"
#include "model/states/gaussian_feature_vector_state.h"
#include "model/states/position_estimate_state.h"
#include "model/states/truth_state.h"
#include "simulation_test_support.h"
#include "support/expect_message.h"

namespace {

using sim_test::composite;
using sim_test::make;

// A contact referring to a truth made of the given states.
state::CompositeStatePtr contact_of(const std::string& truth_states,
                                    const std::string& contact_states = "") {
    auto contact = composite(contact_states);
    contact->insert(std::make_shared<const state::TruthState>(composite(truth_states)));
    return contact;
}

TEST(PositionSensor, ZeroCovarianceFailsAtConstructionWithTheCholeskyMessage) {
    for (const char* key : {"position_state_2d_position_sensor",
                            "position_velocity_state_3d_position_sensor"}) {
        const std::string zeros = std::string(key).find("3d") != std::string::npos
                                      ? "0 0 0 0 0 0 0 0 0"
                                      : "0 0 0 0";
        EXPECT_MESSAGE(make(std::string("<") + key + "><covariance>" + zeros + "</covariance></" +
                            key + ">"),
                       "Attempt to factor non-positive definite matrix in CholeskyDecomposition. (" +
                           std::string(key) + ": covariance must be positive definite: covariance = " + zeros +
                           ")");
    }
}

class PositionMeasurement : public sim_test::SeededTest {};

TEST_F(PositionMeasurement, NoiseHasTheConfiguredCorrelatedCovariance) {
    // Covariance [[4, 3], [3, 9]]; the truth is read from the position part
    // of a position-velocity state.
    auto sensor = make(
        "<position_velocity_state_2d_position_sensor><covariance>4 3 3 9</covariance>"
        "</position_velocity_state_2d_position_sensor>");
    auto contact = contact_of(
        "<time_state>12</time_state><position_velocity_state_2d><position>100 -50</position>"
        "<velocity>7 7</velocity></position_velocity_state_2d>");
    const int n = 20000;
    std::vector<double> x, y, sum;
    for (int k = 0; k < n; ++k) {
        sensor->simulate(*contact);
        const auto& measured = contact->get<state::PositionEstimateState<2>>();
        ASSERT_EQ(measured.time, 12.0);
        ASSERT_EQ(measured.estimate.covariance(0, 1), 3.0);
        x.push_back(measured.estimate.mean[0]);
        y.push_back(measured.estimate.mean[1]);
        sum.push_back(measured.estimate.mean[0] + measured.estimate.mean[1]);
    }
    sim_test::expect_normal_moments(x, 100, 2, n, "x");
    sim_test::expect_normal_moments(y, -50, 3, n, "y");
    // var(x + y) = 4 + 9 + 2 * 3 = 19 checks the correlation
    sim_test::expect_normal_moments(sum, 50, std::sqrt(19.0), n, "x + y");
}

TEST_F(PositionMeasurement, TwoSensorsDrawFromTheirOwnGenerators) {
    const std::string element =
        "<position_state_1d_position_sensor><covariance>1</covariance>"
        "</position_state_1d_position_sensor>";
    auto first = make(element);
    auto second = make(element);
    auto a = contact_of("<time_state>0</time_state><position_state_1d><position>0</position></position_state_1d>");
    auto b = contact_of("<time_state>0</time_state><position_state_1d><position>0</position></position_state_1d>");
    // Draw pairs from each in turn so that the shared spare deviate does not
    // pass values between them; the sequences still differ.
    int equal = 0;
    for (int k = 0; k < 10; ++k) {
        first->simulate(*a);
        first->simulate(*a);
        second->simulate(*b);
        second->simulate(*b);
        equal += a->get<state::PositionEstimateState<1>>().estimate.mean[0] ==
                 b->get<state::PositionEstimateState<1>>().estimate.mean[0];
    }
    EXPECT_EQ(equal, 0);
}

TEST(PositionSensor, MissingTruthStatesAreNamed) {
    auto sensor = make(
        "<position_state_2d_position_sensor><covariance>1 0 0 1</covariance>"
        "</position_state_2d_position_sensor>");
    state::CompositeState bare;
    EXPECT_MESSAGE(sensor->simulate(bare),
                   "position_state_2d_position_sensor: the contact has no truth_state");
    auto no_position = contact_of("<time_state>1</time_state>");
    EXPECT_MESSAGE(sensor->simulate(*no_position),
                   "position_state_2d_position_sensor: the truth has no position_state_2d");
    auto no_time = contact_of("<position_state_2d><position>1 2</position></position_state_2d>");
    EXPECT_MESSAGE(sensor->simulate(*no_time),
                   "position_state_2d_position_sensor: neither the truth nor the contact has a "
                   "time_state");
    // The contact's own time serves when the truth has none.
    auto contact_time = contact_of("<position_state_2d><position>1 2</position></position_state_2d>",
                                   "<time_state>4</time_state>");
    sensor->simulate(*contact_time);
    EXPECT_EQ(contact_time->get<state::PositionEstimateState<2>>().time, 4.0);
}

TEST(PositionSensor, RejectsNonFiniteCovarianceEntries) {
    EXPECT_MESSAGE(make("<position_state_2d_position_sensor><covariance>1 0 inf 1</covariance>"
                        "</position_state_2d_position_sensor>"),
                   "position_state_2d_position_sensor: covariance must be finite: covariance(1, 0) = inf");
}

class FeatureMeasurement : public sim_test::SeededTest {};

TEST_F(FeatureMeasurement, EachComponentGetsItsOwnSigma) {
    auto sensor = make("<gaussian_feature_state_sensor_2d><sigma>0.5 2</sigma>"
                       "</gaussian_feature_state_sensor_2d>");
    auto contact = contact_of(
        "<gaussian_feature_state_2d><time>3</time><mean>10 20</mean><sigma>0 0</sigma>"
        "</gaussian_feature_state_2d>");
    const int n = 10000;
    std::vector<double> a, b;
    for (int k = 0; k < n; ++k) {
        sensor->simulate(*contact);
        const auto& measured = contact->get<state::GaussianFeatureState<2>>();
        ASSERT_EQ(measured.time, 3.0);  // the truth feature's own time
        ASSERT_EQ(measured.sigma, (nmrc::Vector<2>{0.5, 2}));
        a.push_back(measured.mean[0]);
        b.push_back(measured.mean[1]);
    }
    sim_test::expect_normal_moments(a, 10, 0.5, n, "feature 0");
    sim_test::expect_normal_moments(b, 20, 2, n, "feature 1");
}

TEST(FeatureVectorSensor, SigmaCountMustMatchTheTruthsVector) {
    auto sensor = make("<gaussian_feature_vector_state_sensor><sigma>1 1</sigma>"
                       "</gaussian_feature_vector_state_sensor>");
    auto contact = contact_of(
        "<time_state>2</time_state><gaussian_feature_vector_state><time>0</time><size>3</size>"
        "<mean>1 2 3</mean><sigma>0 0 0</sigma></gaussian_feature_vector_state>");
    EXPECT_MESSAGE(sensor->simulate(*contact),
                   "gaussian_feature_vector_state_sensor: the truth's feature vector has size 3 but "
                   "sigma has 2 numbers");

    auto matching = make("<gaussian_feature_vector_state_sensor><sigma>1 1 1</sigma>"
                         "</gaussian_feature_vector_state_sensor>");
    matching->simulate(*contact);
    const auto& measured = contact->get<state::GaussianFeatureVectorState>();
    EXPECT_EQ(measured.size(), 3);
    EXPECT_EQ(measured.time, 2.0);  // the truth's TimeState comes first
}

TEST(FeatureSensors, RejectNonPositiveSigmas) {
    EXPECT_MESSAGE(make("<gaussian_feature_state_sensor_1d><sigma>0</sigma>"
                        "</gaussian_feature_state_sensor_1d>"),
                   "gaussian_feature_state_sensor_1d: sigma must be positive and finite: sigma[0] = 0");
    EXPECT_MESSAGE(make("<gaussian_feature_vector_state_sensor><sigma>1 -2</sigma>"
                        "</gaussian_feature_vector_state_sensor>"),
                   "gaussian_feature_vector_state_sensor: sigma must be positive and finite: sigma[1] = -2");
}

}  // namespace
