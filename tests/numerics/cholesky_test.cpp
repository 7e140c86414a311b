#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "numerics/cholesky.h"
#include "numerics/gaussian.h"
#include "numerics/matrix.h"
#include "numerics/symmetric_matrix.h"
#include "support/expect_message.h"

namespace {

const double two_pi = 2.0 * 3.14159265358979323846;
const char* const not_positive_definite =
    "Attempt to factor non-positive definite matrix in CholeskyDecomposition.";

// A = L L^T with L = [[2, 0, 0], [1, 3, 0], [-1, 1, 2]]; det A = 144.
nmrc::SymmetricMatrix<3> hand_matrix() {
    return nmrc::SymmetricMatrix<3>::from_lower(
        nmrc::Matrix<3, 3>{4, 2, -2, 2, 10, 2, -2, 2, 6});
}

TEST(NumericsCholesky, FactorOfAHandMatrixIsItsKnownLowerTriangle) {
    const nmrc::CholeskyDecomposition<3> c(hand_matrix());
    const nmrc::Matrix<3, 3> expected{2, 0, 0, 1, 3, 0, -1, 1, 2};
    EXPECT_EQ(c.lower_matrix(), expected);
    EXPECT_EQ(c.lower(0, 2), 0.0);
}

TEST(NumericsCholesky, SolveInverseLogDeterminantAndMahalanobisOfAHandMatrix) {
    const nmrc::CholeskyDecomposition<3> c(hand_matrix());
    // A (1, -1, 2) = (-2, -4, 8)
    const nmrc::Vector<3> b{-2, -4, 8};
    const nmrc::Vector<3> x = c.solve(b);
    EXPECT_NEAR(x[0], 1.0, 1e-14);
    EXPECT_NEAR(x[1], -1.0, 1e-14);
    EXPECT_NEAR(x[2], 2.0, 1e-14);
    // b^T A^{-1} b = b^T x = 18
    EXPECT_NEAR(c.mahalanobis(b), 18.0, 1e-12);
    EXPECT_NEAR(c.log_determinant(), std::log(144.0), 1e-14);
    EXPECT_NEAR(c.sum_log_diagonal(), std::log(12.0), 1e-14);

    // A^{-1} = adj(A) / 144, cofactors by hand.
    const double cofactors[3][3] = {{56, -16, 24}, {-16, 20, -12}, {24, -12, 36}};
    const nmrc::SymmetricMatrix<3> inv = c.inverse();
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_NEAR(inv(i, j), cofactors[i][j] / 144.0, 1e-15);

    // The matrix right-hand side solves column by column.
    const nmrc::Matrix<3, 2> rhs{-2, 4, -4, 2, 8, -2};  // columns A(1,-1,2) and A e0
    const nmrc::Matrix<3, 2> sol = c.solve(rhs);
    EXPECT_NEAR(sol(0, 0), 1.0, 1e-14);
    EXPECT_NEAR(sol(2, 0), 2.0, 1e-14);
    EXPECT_NEAR(sol(0, 1), 1.0, 1e-14);
    EXPECT_NEAR(sol(1, 1), 0.0, 1e-14);
}

TEST(NumericsCholesky, LowerTimesAppliesTheFactor) {
    const nmrc::CholeskyDecomposition<3> c(hand_matrix());
    const nmrc::Vector<3> z{1, 1, 1};
    EXPECT_EQ(c.lower_times(z), (nmrc::Vector<3>{2, 4, 2}));
}

TEST(NumericsCholesky, MatricesThatAreNotPositiveDefiniteAreRejected) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const nmrc::Matrix<2, 2> cases[] = {
        {1, 1, 1, 1},       // semi-definite: the second pivot is exactly zero
        {1, 2, 2, 1},       // indefinite
        {-1, 0, 0, 1},      // negative first pivot
        {0, 0, 0, 0},       // zero matrix
        {1, 0, 0, nan},     // NaN pivot
    };
    for (const auto& m : cases) {
        EXPECT_MESSAGE(nmrc::CholeskyDecomposition<2>(nmrc::SymmetricMatrix<2>::from_lower(m)),
                       not_positive_definite);
    }
}

TEST(NumericsGaussian, LogDensityMatchesHandValuesPerDimension) {
    // n = 1: nu = 2, S = 4: d^2 = 1, ln p = -ln(2 pi)/2 - 1/2 - ln 2
    nmrc::SymmetricMatrix<1> s1;
    s1(0, 0) = 4;
    const auto g1 = nmrc::gaussian_score(nmrc::Vector<1>{2}, s1);
    EXPECT_NEAR(g1.mahalanobis_squared, 1.0, 1e-15);
    EXPECT_NEAR(g1.log_density, -0.5 * std::log(two_pi) - 0.5 - std::log(2.0), 1e-14);

    // n = 2: nu = (1, 2), S = diag(1, 4): d^2 = 2, ln p = -ln(2 pi) - 1 - ln 2
    const auto s2 = nmrc::SymmetricMatrix<2>::diagonal({1, 4});
    const auto g2 = nmrc::gaussian_score(nmrc::Vector<2>{1, 2}, s2);
    EXPECT_NEAR(g2.mahalanobis_squared, 2.0, 1e-15);
    EXPECT_NEAR(g2.log_density, -std::log(two_pi) - 1.0 - std::log(2.0), 1e-14);

    // n = 3 with the hand matrix: d^2 = 18, ln p = -1.5 ln(2 pi) - 9 - ln 12
    const auto g3 = nmrc::gaussian_score(nmrc::Vector<3>{-2, -4, 8}, hand_matrix());
    EXPECT_NEAR(g3.mahalanobis_squared, 18.0, 1e-12);
    EXPECT_NEAR(nmrc::gaussian_log_density(nmrc::Vector<3>{-2, -4, 8}, hand_matrix()),
                -1.5 * std::log(two_pi) - 9.0 - std::log(12.0), 1e-12);
    EXPECT_NEAR(nmrc::log_normalizer<4>(), -2.0 * std::log(two_pi), 1e-15);
}

TEST(NumericsGaussian, ScoreOfANonPositiveDefiniteCovarianceFails) {
    EXPECT_MESSAGE(nmrc::gaussian_score(nmrc::Vector<2>{0, 0}, nmrc::SymmetricMatrix<2>()),
                   not_positive_definite);
}

TEST(NumericsMatrix, TransformComputesFPFTransposed) {
    // F = [[1, dt], [0, 1]], P = diag(1, 2): F P F^T = [[1 + 2 dt^2, 2 dt], [2 dt, 2]]
    const double dt = 0.5;
    const nmrc::Matrix<2, 2> f{1, dt, 0, 1};
    const auto p = nmrc::SymmetricMatrix<2>::diagonal({1, 2});
    const auto r = nmrc::transform(f, p);
    EXPECT_DOUBLE_EQ(r(0, 0), 1 + 2 * dt * dt);
    EXPECT_DOUBLE_EQ(r(0, 1), 2 * dt);
    EXPECT_DOUBLE_EQ(r(1, 1), 2.0);
    // A non-square projection H = [1 0] picks the position variance.
    const auto h = nmrc::transform(nmrc::Matrix<1, 2>{1, 0}, r);
    EXPECT_DOUBLE_EQ(h(0, 0), r(0, 0));
    EXPECT_DOUBLE_EQ(nmrc::quadratic_form(p, nmrc::Vector<2>{1, 1}), 3.0);
}

TEST(NumericsMatrix, ProductsAndTransposeFollowRowMajorIndexing) {
    const nmrc::Matrix<2, 3> a{1, 2, 3, 4, 5, 6};
    const nmrc::Matrix<3, 1> b{1, 0, -1};
    EXPECT_EQ(a * b, (nmrc::Matrix<2, 1>{-2, -2}));
    EXPECT_EQ((a * nmrc::Vector<3>{1, 1, 1}), (nmrc::Vector<2>{6, 15}));
    EXPECT_EQ(a.transpose()(2, 1), 6.0);
    const nmrc::Vector<4> v{1, 2, 3, 4};
    EXPECT_EQ(v.segment<2>(2), (nmrc::Vector<2>{3, 4}));
}

}  // namespace
