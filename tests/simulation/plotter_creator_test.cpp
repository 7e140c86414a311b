#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/plotter/plotter_covariance_state.h"
#include "model/plotter/plotter_point_state.h"
#include "simulation/plotter_accessors.h"
#include "simulation_test_support.h"
#include "support/expect_message.h"

namespace {

using sim_test::composite;
using sim_test::make;

const std::string identity_axes = "<x_axis>1 0 0</x_axis><y_axis>0 1 0</y_axis>";

nmrc::Vector<2> point_2d(const state::CompositeState& s) {
    return s.get<pltr::PlotterPointState<2>>().point;
}
nmrc::SymmetricMatrix<2> covariance_2d(const state::CompositeState& s) {
    return s.get<pltr::PlotterCovarianceState<2>>().covariance;
}

// A 3-D covariance with distinct entries: (i, j) = 10 (i + 1) + (j + 1) on
// and below the diagonal.
const std::string covariance_3d = "11 21 31 21 22 32 31 32 33";
nmrc::SymmetricMatrix<2> upper_left_block() {
    nmrc::SymmetricMatrix<2> m;
    m(0, 0) = 11;
    m(1, 0) = 21;
    m(1, 1) = 22;
    return m;
}

struct ProjectionCase {
    const char* point_key;
    const char* covariance_key;  // empty when the kind has no covariance creator
    std::string state;
};

TEST(PlotterProjection, IdentityAxesTakeTheFirstTwoComponentsAndTheUpperLeftBlock) {
    const ProjectionCase cases[] = {
        {"position_estimate_3d_to_plotter_point_transformer_2d",
         "position_estimate_3d_to_plotter_covariance_transformer_2d",
         "<position_estimate_state_3d><time>0</time><normal><mean>1 2 3</mean><covariance>" +
             covariance_3d + "</covariance></normal></position_estimate_state_3d>"},
        {"position_velocity_estimate_3d_to_plotter_point_transformer_2d",
         "position_velocity_estimate_3d_to_plotter_covariance_transformer_2d",
         "<position_velocity_estimate_state_3d><time>0</time><normal><mean>1 2 3 7 8 9</mean>"
         "<covariance>11 21 31 0 0 0 21 22 32 0 0 0 31 32 33 0 0 0 0 0 0 1 0 0 0 0 0 0 1 0 "
         "0 0 0 0 0 1</covariance></normal></position_velocity_estimate_state_3d>"},
        {"position_velocity_3d_position_to_plotter_point_transformer_2d", "",
         "<position_velocity_state_3d><position>1 2 3</position><velocity>7 8 9</velocity>"
         "</position_velocity_state_3d>"},
    };
    for (const auto& c : cases) {
        auto target = composite(c.state);
        make(std::string("<") + c.point_key + ">" + identity_axes + "</" + c.point_key + ">")
            ->simulate(*target);
        EXPECT_EQ(point_2d(*target), (nmrc::Vector<2>{1, 2})) << c.point_key;
        if (std::string(c.covariance_key).empty()) continue;
        make(std::string("<") + c.covariance_key + ">" + identity_axes + "</" + c.covariance_key +
             ">")
            ->simulate(*target);
        EXPECT_EQ(covariance_2d(*target), upper_left_block()) << c.covariance_key;
    }
}

TEST(PlotterProjection, OtherAxesGiveAPointAndAxCovarianceAT) {
    // x along the third axis, y the sum of the first two.
    auto target = composite(
        "<position_estimate_state_3d><time>0</time><normal><mean>1 2 3</mean><covariance>" +
        covariance_3d + "</covariance></normal></position_estimate_state_3d>");
    const std::string axes = "<x_axis>0 0 1</x_axis><y_axis>1 1 0</y_axis>";
    make("<position_estimate_3d_to_plotter_point_transformer_2d>" + axes +
         "</position_estimate_3d_to_plotter_point_transformer_2d>")
        ->simulate(*target);
    make("<position_estimate_3d_to_plotter_covariance_transformer_2d>" + axes +
         "</position_estimate_3d_to_plotter_covariance_transformer_2d>")
        ->simulate(*target);
    EXPECT_EQ(point_2d(*target), (nmrc::Vector<2>{3, 3}));
    const auto c = covariance_2d(*target);
    EXPECT_EQ(c(0, 0), 33.0);             // C33
    EXPECT_EQ(c(0, 1), 31.0 + 32.0);      // C31 + C32
    EXPECT_EQ(c(1, 1), 11.0 + 2 * 21.0 + 22.0);  // C11 + 2 C21 + C22
}

TEST(PlotterProjection, VelocityIsProjectedFromTheVelocityPart) {
    auto target = composite(
        "<position_velocity_state_3d><position>1 2 3</position><velocity>7 8 9</velocity>"
        "</position_velocity_state_3d>");
    make("<position_velocity_3d_velocity_to_plotter_point_transformer_2d><x_axis>0 1 0</x_axis>"
         "<y_axis>0 0 2</y_axis></position_velocity_3d_velocity_to_plotter_point_transformer_2d>")
        ->simulate(*target);
    EXPECT_EQ(point_2d(*target), (nmrc::Vector<2>{8, 18}));
}

TEST(PlotterCopy, PositionAndVelocityComeFromTheirBlocks) {
    // (x, y, vx, vy) with covariance blocks [[1, 2], [2, 5]] and [[7, 8], [8, 11]].
    auto target = composite(
        "<position_velocity_estimate_state_2d><time>0</time><normal><mean>1 2 3 4</mean>"
        "<covariance>1 2 0.5 0.5 2 5 0.5 0.5 0.5 0.5 7 8 0.5 0.5 8 11</covariance></normal>"
        "</position_velocity_estimate_state_2d>");
    make("<position_velocity_estimate_velocity_to_plotter_point_transformer_2d/>")->simulate(*target);
    make("<position_velocity_estimate_velocity_to_plotter_covariance_transformer_2d/>")
        ->simulate(*target);
    EXPECT_EQ(point_2d(*target), (nmrc::Vector<2>{3, 4}));
    EXPECT_EQ(covariance_2d(*target)(0, 0), 7.0);
    EXPECT_EQ(covariance_2d(*target)(0, 1), 8.0);
    EXPECT_EQ(covariance_2d(*target)(1, 1), 11.0);

    make("<position_velocity_estimate_position_to_plotter_point_transformer_2d/>")->simulate(*target);
    make("<position_velocity_estimate_position_to_plotter_covariance_transformer_2d/>")
        ->simulate(*target);
    EXPECT_EQ(point_2d(*target), (nmrc::Vector<2>{1, 2}));
    EXPECT_EQ(covariance_2d(*target)(0, 1), 2.0);
    EXPECT_EQ(covariance_2d(*target)(1, 1), 5.0);
}

TEST(PlotterCopy, GaussianFeatureCovarianceIsTheSquaredSigmas) {
    auto target = composite(
        "<gaussian_feature_state_2d><time>0</time><mean>4 5</mean><sigma>2 3</sigma>"
        "</gaussian_feature_state_2d>");
    make("<gaussian_feature_to_plotter_covariance_transformer_2d/>")->simulate(*target);
    const auto c = covariance_2d(*target);
    EXPECT_EQ(c(0, 0), 4.0);
    EXPECT_EQ(c(0, 1), 0.0);
    EXPECT_EQ(c(1, 1), 9.0);
}

TEST(PlotterCopy, ApplyingTwiceLeavesOnePointFromTheLatestState) {
    auto creator = make("<position_to_plotter_point_transformer_3d/>");
    auto target = composite("<position_state_3d><position>1 2 3</position></position_state_3d>");
    creator->simulate(*target);
    target->insert(std::make_shared<const state::PositionState<3>>(nmrc::Vector<3>{4, 5, 6}));
    creator->simulate(*target);
    EXPECT_EQ(target->size(), 2u);
    EXPECT_EQ(target->get<pltr::PlotterPointState<3>>().point, (nmrc::Vector<3>{4, 5, 6}));
}

TEST(PlotterCopy, MissingSourceStateFailsAsACast) {
    state::CompositeState empty;
    EXPECT_MESSAGE(make("<position_estimate_to_plotter_point_transformer_2d/>")->simulate(empty),
                   "State::cast()");
}

TEST(PlotterSpherical, RangeThetaPhiIsConvertedAsThePassiveFiltersDo) {
    // theta = 90 degrees (east), phi = 0: the point lies r to the +x side.
    auto target = composite(
        "<range_theta_phi_estimate_state><time>0</time><normal><mean>10 90 0</mean>"
        "<covariance>4 0 0 0 0 0 0 0 0</covariance></normal>"
        "<sensor_position>1 2 3</sensor_position></range_theta_phi_estimate_state>");
    make("<range_theta_phi_estimate_to_plotter_point_transformer_2d>" + identity_axes +
         "</range_theta_phi_estimate_to_plotter_point_transformer_2d>")
        ->simulate(*target);
    make("<range_theta_phi_estimate_to_plotter_covariance_transformer_2d>" + identity_axes +
         "</range_theta_phi_estimate_to_plotter_covariance_transformer_2d>")
        ->simulate(*target);
    EXPECT_NEAR(point_2d(*target)[0], 11.0, 1e-12);
    EXPECT_NEAR(point_2d(*target)[1], 2.0, 1e-12);
    // Range variance 4 lies along x only.
    EXPECT_NEAR(covariance_2d(*target)(0, 0), 4.0, 1e-12);
    EXPECT_NEAR(covariance_2d(*target)(1, 1), 0.0, 1e-12);
}

TEST(PlotterSpherical, AngleOnlyEstimateSitsAtTheMidpointOfItsRangeInterval) {
    auto target = composite(
        "<theta_phi_estimate_state><time>0</time><mean>0 0</mean><sigmas>1 1</sigmas>"
        "<sensor_position>0 0 0</sensor_position><range_interval><open_interval>10 22"
        "</open_interval></range_interval></theta_phi_estimate_state>");
    make("<theta_phi_estimate_to_plotter_point_transformer_2d>" + identity_axes +
         "</theta_phi_estimate_to_plotter_point_transformer_2d>")
        ->simulate(*target);
    make("<theta_phi_estimate_to_plotter_covariance_transformer_2d>" + identity_axes +
         "</theta_phi_estimate_to_plotter_covariance_transformer_2d>")
        ->simulate(*target);
    // theta = 0 points along +y; r = 16; sigma_r^2 = 12^2 / 12 = 12 along y.
    EXPECT_NEAR(point_2d(*target)[0], 0.0, 1e-12);
    EXPECT_NEAR(point_2d(*target)[1], 16.0, 1e-12);
    EXPECT_NEAR(covariance_2d(*target)(1, 1), 12.0, 1e-9);
    // sigma_theta = 1 degree across the line of sight at r = 16
    const double across = 16.0 * 0.017453292519943295;
    EXPECT_NEAR(covariance_2d(*target)(0, 0), across * across, 1e-9);
}

TEST(PlotterProjection, AxesMustBeFinite) {
    EXPECT_MESSAGE(make("<position_estimate_3d_to_plotter_point_transformer_2d><x_axis>1 0 nan"
                        "</x_axis><y_axis>0 1 0</y_axis>"
                        "</position_estimate_3d_to_plotter_point_transformer_2d>"),
                   "position_estimate_3d_to_plotter_point_transformer_2d: x_axis must be finite: x_axis[2] = "
                   "nan");
}

}  // namespace
