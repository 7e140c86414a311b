#include <gtest/gtest.h>

#include <cmath>

#include "filters/passive/passive_test_support.h"
#include "filters/passive/spherical_geometry.h"

namespace {

using passive_test::degree;

TEST(BearingWrap, BringsDifferencesBackIntoOneTurn) {
    struct Case {
        double in_degrees;
        double out_degrees;
    };
    for (const Case& c : {Case{359, -1}, Case{-359, 1}, Case{181, -179}, Case{-181, 179},
                          Case{179, 179}, Case{0, 0}, Case{719, -1}, Case{-719, 1}}) {
        SCOPED_TRACE(c.in_degrees);
        EXPECT_NEAR(ostrel::wrap_bearing(c.in_degrees * degree), c.out_degrees * degree, 1e-12);
    }
}

TEST(SphericalLinearization, ValuesFollowTheBearingFromNorthConvention) {
    // Due east, level: bearing 90 degrees, elevation 0.
    auto lin = ostrel::linearize_spherical({10, 0, 0});
    ASSERT_TRUE(lin);
    EXPECT_NEAR(lin->value[0], 10, 1e-12);
    EXPECT_NEAR(lin->value[1], 90 * degree, 1e-12);
    EXPECT_NEAR(lin->value[2], 0, 1e-12);
    // North and up at 45 degrees.
    lin = ostrel::linearize_spherical({0, 1, 1});
    ASSERT_TRUE(lin);
    EXPECT_NEAR(lin->value[1], 0, 1e-12);
    EXPECT_NEAR(lin->value[2], 45 * degree, 1e-12);
}

TEST(SphericalLinearization, JacobianMatchesCentralDifferences) {
    const nmrc::Vector<3> d{3, -4, 2};
    const auto lin = ostrel::linearize_spherical(d);
    ASSERT_TRUE(lin);
    const double h = 1e-6;
    for (int j = 0; j < 3; ++j) {
        nmrc::Vector<3> up = d, down = d;
        up[j] += h;
        down[j] -= h;
        const auto a = ostrel::linearize_spherical(up), b = ostrel::linearize_spherical(down);
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(lin->jacobian(i, j), (a->value[i] - b->value[i]) / (2 * h), 1e-8)
                << "row " << i << " column " << j;
    }
}

TEST(SphericalLinearization, DoesNotExistStraightAboveTheSensor) {
    EXPECT_FALSE(ostrel::linearize_spherical({0, 0, 5}));
    EXPECT_FALSE(ostrel::linearize_spherical({0, 0, 0}));
}

TEST(ConvertedPosition, SpreadsAngleSigmasByRange) {
    // Due east at range 100, level: range error along x, bearing error along
    // -y (r sigma_theta), elevation error along z (r sigma_phi).
    const auto p = ostrel::converted_position(
        {1, 2, 3}, {100, 90 * degree, 0}, nmrc::SymmetricMatrix<3>::diagonal({4, 1e-4, 4e-4}));
    EXPECT_NEAR(p.mean[0], 101, 1e-9);
    EXPECT_NEAR(p.mean[1], 2, 1e-9);
    EXPECT_NEAR(p.mean[2], 3, 1e-9);
    EXPECT_NEAR(p.covariance(0, 0), 4, 1e-9);
    EXPECT_NEAR(p.covariance(1, 1), 1, 1e-9);
    EXPECT_NEAR(p.covariance(2, 2), 4, 1e-9);
    EXPECT_NEAR(p.covariance(0, 1), 0, 1e-9);
}

}  // namespace
