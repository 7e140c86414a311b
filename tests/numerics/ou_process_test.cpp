#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "numerics/ou_process.h"
#include "numerics/relative_exponential.h"
#include "support/expect_message.h"

namespace {

TEST(RelativeExponential, KeepsItsDigitsOnBothSidesOfTheSeriesBound) {
    EXPECT_EQ(nmrc::relative_exponential(0.0), 1.0);
    for (double x : {-7.5, -3.0, -0.41, -0.4, -0.399, -1e-9, 1e-12, 0.001, 0.3999, 0.4, 2.0, 30.0}) {
        SCOPED_TRACE(x);
        EXPECT_NEAR(nmrc::relative_exponential(x), std::expm1(x) / x, 1e-15 * std::fabs(std::expm1(x) / x));
    }
}

struct StepCase {
    double sigma, process_noise, dt;
};

TEST(OuAxis, StepIsTheExactDiscretisationKeepingTheStationaryVariance) {
    for (const StepCase c : {StepCase{1.0, 2.0, 0.1}, StepCase{3.0, 0.5, 1.0}, StepCase{0.2, 10.0, 5.0},
                             StepCase{2.0, 1e-6, 0.01}}) {
        const nmrc::OuAxis axis{0.0, c.sigma, c.process_noise};
        const nmrc::OuAxis::Step step = axis.step(c.dt);
        const double theta = c.process_noise / (2 * c.sigma * c.sigma);
        EXPECT_NEAR(step.a, std::exp(-theta * c.dt), 1e-15);
        // s^2 = sigma^2 (1 - a^2): a step from the stationary law stays in it
        EXPECT_NEAR(step.s * step.s, c.sigma * c.sigma * -std::expm1(-2 * theta * c.dt), 1e-14 * c.sigma * c.sigma);
        EXPECT_NEAR(step.a * step.a * c.sigma * c.sigma + step.s * step.s, c.sigma * c.sigma, 1e-13);
    }
}

TEST(OuAxis, ZeroTimeStepOrZeroProcessNoiseHoldsStill) {
    for (const StepCase c : {StepCase{1.0, 2.0, 0.0}, StepCase{1.0, 0.0, 3.0}}) {
        const nmrc::OuAxis::Step step = nmrc::OuAxis{0.0, c.sigma, c.process_noise}.step(c.dt);
        EXPECT_EQ(step.a, 1.0);
        EXPECT_EQ(step.s, 0.0);
    }
}

TEST(OuAxis, PredictionOverAnInfiniteIntervalIsTheStationaryLaw) {
    const nmrc::OuAxis axis{5.0, 2.0, 0.8};
    double mean = -40.0, sd = 0.1;
    axis.predict(mean, sd, std::numeric_limits<double>::infinity());
    EXPECT_EQ(mean, 5.0);
    EXPECT_EQ(sd, 2.0);
    // Over a finite interval the mean reverts by a and the variance follows.
    mean = -40.0, sd = 0.1;
    axis.predict(mean, sd, 1.0);
    const nmrc::OuAxis::Step step = axis.step(1.0);
    EXPECT_DOUBLE_EQ(mean, 5.0 + step.a * -45.0);
    EXPECT_DOUBLE_EQ(sd * sd, step.a * step.a * 0.01 + step.s * step.s);
}

TEST(OuProcess, RefusesParametersWithoutAStationaryLaw) {
    EXPECT_MESSAGE(nmrc::OuProcess<2>({0, 0}, {1, 0}, {1, 1}),
                   "ou_process_2d: sigma must be positive and finite: sigma[1] = 0");
    EXPECT_MESSAGE(nmrc::OuProcess<1>({std::numeric_limits<double>::infinity()}, {1}, {1}),
                   "ou_process_1d: center must be finite: center[0] = inf");
    EXPECT_MESSAGE(nmrc::OuProcess<1>({0}, {1}, {-1}),
                   "ou_process_1d: process_noise must be non-negative and finite: process_noise[0] = -1");
}

}  // namespace
