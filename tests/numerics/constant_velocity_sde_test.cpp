#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "numerics/constant_velocity_sde.h"
#include "numerics/mou_process.h"
#include "support/expect_message.h"
#include "xml/querier.h"

namespace {

using Real = long double;

// An independent reference in long double. Over a short step h, Van Loan's
// exp([[-A, q g g^T], [0, A^T]] h) = [[., F12], [0, F22]] gives Phi(h) = F22^T
// and Q(h) = F22^T F12 (Taylor series, accurate while |A| h is small); then
// the step is doubled up to dt with Q(2h) = Q(h) + Phi(h) Q(h) Phi(h)^T and
// Phi(2h) = Phi(h)^2, which avoids the growth of e^{-A dt} over long steps.
struct M4 {
    Real a[4][4] = {};
};

M4 multiply(const M4& x, const M4& y) {
    M4 r;
    for (int i = 0; i < 4; ++i)
        for (int k = 0; k < 4; ++k)
            for (int j = 0; j < 4; ++j) r.a[i][j] += x.a[i][k] * y.a[k][j];
    return r;
}

M4 taylor_exp(const M4& c) {
    M4 sum;
    M4 term;
    for (int i = 0; i < 4; ++i) sum.a[i][i] = term.a[i][i] = 1;
    for (int n = 1; n < 30; ++n) {
        term = multiply(term, c);
        for (auto& row : term.a)
            for (Real& x : row) x /= n;
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j) sum.a[i][j] += term.a[i][j];
    }
    return sum;
}

void reference(const nmrc::Matrix<2, 2>& a, double q, double dt, Real phi[2][2], Real cov[2][2]) {
    Real norm = std::max<Real>(q, 0);
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) norm = std::max<Real>(norm, std::fabs(a(i, j)));
    int doublings = 0;
    Real h = dt;
    while (norm * h > 0.125L) {
        h /= 2;
        ++doublings;
    }
    M4 c;
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) {
            c.a[i][j] = -static_cast<Real>(a(i, j)) * h;
            c.a[2 + i][2 + j] = static_cast<Real>(a(j, i)) * h;
        }
    c.a[1][3] = static_cast<Real>(q) * h;  // q g g^T with g = (0, 1)
    const M4 e = taylor_exp(c);
    Real p[2][2];
    Real s[2][2];
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) {
            p[i][j] = e.a[2 + j][2 + i];
            s[i][j] = 0;
            for (int k = 0; k < 2; ++k) s[i][j] += e.a[2 + k][2 + i] * e.a[k][2 + j];
        }
    for (int d = 0; d < doublings; ++d) {
        Real ps[2][2] = {};
        Real pp[2][2] = {};
        for (int i = 0; i < 2; ++i)
            for (int j = 0; j < 2; ++j)
                for (int k = 0; k < 2; ++k) {
                    ps[i][j] += p[i][k] * s[k][j];
                    pp[i][j] += p[i][k] * p[k][j];
                }
        Real next[2][2] = {};
        for (int i = 0; i < 2; ++i)
            for (int j = 0; j < 2; ++j) {
                next[i][j] = s[i][j];
                for (int k = 0; k < 2; ++k) next[i][j] += ps[i][k] * p[j][k];
            }
        for (int i = 0; i < 2; ++i)
            for (int j = 0; j < 2; ++j) {
                s[i][j] = next[i][j];
                p[i][j] = pp[i][j];
            }
    }
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) {
            phi[i][j] = p[i][j];
            cov[i][j] = s[i][j];
        }
}

// |x - ref| <= tol * (largest |ref| entry), entry by entry.
template <class Get>
void expect_close(Get got, const Real ref[2][2], double tol, const std::string& what) {
    Real scale = 0;
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) scale = std::max(scale, std::fabs(ref[i][j]));
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            EXPECT_LE(std::fabs(got(i, j) - ref[i][j]), tol * scale)
                << what << " (" << i << ", " << j << "): " << got(i, j) << " vs "
                << static_cast<double>(ref[i][j]);
}

struct SdeCase {
    const char* name;
    nmrc::Matrix<2, 2> a;
    double q;
};

TEST(NumericsConstantVelocitySDE, TransitionAndCovarianceMatchAnIndependentReference) {
    const SdeCase cases[] = {
        {"underdamped mean-reverting", {0, 1, -1, -0.5}, 1.0},
        {"overdamped mean-reverting", {0, 1, -1, -3}, 6.0},
        {"fast oscillation", {0, 1, -25, -0.2}, 0.4},
        {"general A", {-0.3, 2, -1, -0.7}, 2.5},
        {"real distinct, negative b", {-2, -0.5, 1, -0.1}, 0.3},
    };
    const double dts[] = {0.01, 0.1, 0.5, 1.0, 3.0, 10.0};
    for (const auto& c : cases) {
        const nmrc::ConstantVelocitySDE sde(c.a, c.q);
        for (double dt : dts) {
            Real phi[2][2];
            Real cov[2][2];
            reference(c.a, c.q, dt, phi, cov);
            const std::string what = std::string(c.name) + ", dt = " + std::to_string(dt);
            const auto transition = sde.transition(dt);
            const auto covariance = sde.covariance(dt);
            expect_close([&](int i, int j) { return transition(i, j); }, phi, 1e-9, what + " Phi");
            expect_close([&](int i, int j) { return covariance(i, j); }, cov, 1e-9, what + " Q");
        }
    }
}

TEST(NumericsConstantVelocitySDE, ZeroStepIsIdentityWithoutNoise) {
    const nmrc::ConstantVelocitySDE sde({0, 1, -2, -1}, 3.0);
    const auto phi = sde.transition(0.0);
    EXPECT_NEAR(phi(0, 0), 1.0, 1e-15);
    EXPECT_NEAR(phi(0, 1), 0.0, 1e-15);
    EXPECT_NEAR(phi(1, 0), 0.0, 1e-15);
    EXPECT_NEAR(phi(1, 1), 1.0, 1e-15);
    EXPECT_EQ(sde.covariance(0.0), nmrc::SymmetricMatrix<2>());
}

TEST(NumericsConstantVelocitySDE, IllPosedModelsAreRejected) {
    // Critical damping gamma^2 = 4 kappa: the discriminant is exactly zero.
    EXPECT_MESSAGE(nmrc::ConstantVelocitySDE({0, 1, -1, -2}, 1.0),
                   "non-distinct eigenvalues found in ConstantVelocitySDE");
    // kappa = 0: one eigenvalue is zero.
    EXPECT_MESSAGE(nmrc::ConstantVelocitySDE({0, 1, 0, -1}, 1.0),
                   "real part of eigenvalue is non-negative in ContantVelocitySDE 0");
    // An unstable model: eigenvalues 2 and -1.
    EXPECT_MESSAGE(nmrc::ConstantVelocitySDE({0, 1, 2, 1}, 1.0),
                   "real part of eigenvalue is non-negative in ContantVelocitySDE 2");
    // Undamped oscillation (gamma = 0): real parts zero.
    EXPECT_MESSAGE(nmrc::ConstantVelocitySDE({0, 1, -4, 0}, 1.0),
                   "real part of eigenvalue is non-negative in ContantVelocitySDE 0");
    EXPECT_MESSAGE(nmrc::ConstantVelocitySDE({-1, 0, 1, -2}, 1.0),
                   "ConstantVelocitySDE needs a nonzero A(0, 1): A(0, 1) = 0");
    EXPECT_MESSAGE(nmrc::ConstantVelocitySDE({0, 1, -1, -3}, -0.5),
                   "ConstantVelocitySDE noise intensity must be non-negative and finite: q = -0.5");
}

TEST(NumericsMouProcess, StationaryCovarianceIsPreservedByEveryStep) {
    // P = diag(position_sigma^2, velocity_sigma^2) is the stationary law:
    // Phi P Phi^T + Q(dt) = P for every dt.
    const nmrc::Vector<2> center{10, -4};
    const nmrc::Vector<2> position_sigma{3, 0.5};
    const nmrc::Vector<2> velocity_sigma{0.7, 2};
    const nmrc::Vector<2> process_noise{0.2, 30};
    const nmrc::MouProcess<2> process(center, position_sigma, velocity_sigma, process_noise);
    nmrc::SymmetricMatrix<4> stationary;
    for (int i = 0; i < 2; ++i) {
        stationary(i, i) = position_sigma[i] * position_sigma[i];
        stationary(2 + i, 2 + i) = velocity_sigma[i] * velocity_sigma[i];
    }
    for (double dt : {0.05, 1.0, 7.0}) {
        const auto p = nmrc::transform(process.transition(dt), stationary) + process.covariance(dt);
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j)
                EXPECT_NEAR(p(i, j), stationary(i, j), 1e-10 * std::max(1.0, stationary(i, i)))
                    << "dt = " << dt << " (" << i << ", " << j << ")";
    }
}

TEST(NumericsMouProcess, FullStateMatricesPlaceEachAxisOnItsPositionAndVelocity) {
    const nmrc::MouProcess<2> process({0, 0}, {1, 2}, {1, 1}, {1, 3});
    const double dt = 0.8;
    const auto phi = process.transition(dt);
    const auto q = process.covariance(dt);
    for (int i = 0; i < 2; ++i) {
        const auto b = process.axis(i).transition(dt);
        const auto c = process.axis(i).covariance(dt);
        EXPECT_EQ(phi(i, i), b(0, 0));
        EXPECT_EQ(phi(i, 2 + i), b(0, 1));
        EXPECT_EQ(phi(2 + i, i), b(1, 0));
        EXPECT_EQ(phi(2 + i, 2 + i), b(1, 1));
        EXPECT_EQ(q(i, 2 + i), c(0, 1));
        EXPECT_EQ(q(2 + i, 2 + i), c(1, 1));
    }
    EXPECT_EQ(phi(0, 1), 0.0);
    EXPECT_EQ(phi(0, 3), 0.0);
    EXPECT_EQ(q(0, 3), 0.0);
    // kappa = (1/2)^2, gamma = 3 / 2 on axis 1
    const auto lambda = process.axis(1).eigenvalue(0) + process.axis(1).eigenvalue(1);
    EXPECT_NEAR(lambda.real(), -1.5, 1e-15);
}

xml::Querier parse(const std::string& body) {
    return xml::Querier::parse("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + body);
}

TEST(NumericsMouProcess, ReadsItsElement) {
    EXPECT_EQ(nmrc::MouProcess<3>::key(), "mou_process_3d");
    const auto q = parse(
        "<mou_2d_predictor><mou_process_2d><center>1 2</center><position_sigma>3 4</position_sigma>"
        "<velocity_sigma>0.5 0.25</velocity_sigma><process_noise>0.1 0.2</process_noise>"
        "</mou_process_2d></mou_2d_predictor>");
    const auto process = nmrc::MouProcess<2>::read(q.tag(nmrc::MouProcess<2>::key()));
    EXPECT_EQ(process.center(), (nmrc::Vector<2>{1, 2}));
    EXPECT_EQ(process.position_sigma(), (nmrc::Vector<2>{3, 4}));
    EXPECT_EQ(process.velocity_sigma(), (nmrc::Vector<2>{0.5, 0.25}));
    EXPECT_EQ(process.process_noise(), (nmrc::Vector<2>{0.1, 0.2}));
}

TEST(NumericsMouProcess, IllPosedParametersAreRejectedWhenBuilt) {
    EXPECT_MESSAGE(nmrc::MouProcess<2>({0, 0}, {1, 0}, {1, 1}, {1, 1}),
                   "mou process position_sigma must be positive and finite: position_sigma[1] = 0 (in "
                   "mou_process_2d, element position_sigma)");
    EXPECT_MESSAGE(nmrc::MouProcess<1>({0}, {1}, {-2}, {1}),
                   "mou process velocity_sigma must be positive and finite: velocity_sigma[0] = -2 (in "
                   "mou_process_1d, element velocity_sigma)");
    // No process noise: an undamped oscillator.
    EXPECT_MESSAGE(nmrc::MouProcess<1>({0}, {1}, {1}, {0}),
                   "real part of eigenvalue is non-negative in ContantVelocitySDE 0");
    // gamma^2 = 4 kappa: process_noise = 4 velocity_sigma^3 / position_sigma.
    EXPECT_MESSAGE(nmrc::MouProcess<1>({0}, {1}, {1}, {4}),
                   "non-distinct eigenvalues found in ConstantVelocitySDE");
}

}  // namespace
