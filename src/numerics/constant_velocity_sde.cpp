#include "numerics/constant_velocity_sde.h"

#include <cmath>
#include <sstream>

#include "util/exception.h"

namespace nmrc {

namespace {

using Complex = ConstantVelocitySDE::Complex;

// e^z - 1 without the cancellation of exp(z) - 1 for small z:
// e^x cos y - 1 = expm1(x) cos y - 2 sin^2(y/2), imaginary part e^x sin y.
Complex expm1(Complex z) {
    const double x = z.real();
    const double y = z.imag();
    const double half_sin = std::sin(0.5 * y);
    return {std::expm1(x) * std::cos(y) - 2.0 * half_sin * half_sin, std::exp(x) * std::sin(y)};
}

}  // namespace

ConstantVelocitySDE::ConstantVelocitySDE(const Matrix<2, 2>& a_matrix, double q) : q_(q, 0.0) {
    const double a = a_matrix(0, 0);
    const double b = a_matrix(0, 1);
    const double c = a_matrix(1, 0);
    const double d = a_matrix(1, 1);

    // Characteristic polynomial l^2 + t l + det(A): t = -(a + d),
    // discriminant D = t^2 - 4 (a d - b c).
    const double t = -(a + d);
    const double discriminant = t * t - 4.0 * (a * d - b * c);
    if (discriminant == 0.0)
        throw util::Exception("non-distinct eigenvalues found in ConstantVelocitySDE");
    const Complex s = std::sqrt(Complex(discriminant, 0.0));
    lambda_[0] = (-t + s) / 2.0;
    lambda_[1] = (-t - s) / 2.0;
    for (const Complex& lambda : lambda_) {
        if (!(lambda.real() < 0.0)) {
            std::ostringstream message;
            message << "real part of eigenvalue is non-negative in ContantVelocitySDE "
                    << lambda.real();
            throw util::Exception(message.str());
        }
    }
    // The eigenvector columns (b, lk - a) vanish with b.
    if (b == 0.0)
        throw util::Exception("ConstantVelocitySDE needs a nonzero A(0, 1): A(0, 1) = 0");
    if (!(q >= 0.0) || !std::isfinite(q)) {
        std::ostringstream message;
        message << "ConstantVelocitySDE noise intensity must be non-negative and finite: q = " << q;
        throw util::Exception(message.str());
    }

    // V = [[b, b], [l1 - a, l2 - a]], det V = b (l2 - l1)
    v_[0][0] = b;
    v_[0][1] = b;
    v_[1][0] = lambda_[0] - a;
    v_[1][1] = lambda_[1] - a;
    const Complex det = v_[0][0] * v_[1][1] - v_[0][1] * v_[1][0];
    // V^{-1} = [[V11, -V01], [-V10, V00]] / det V
    v_inv_[0][0] = v_[1][1] / det;
    v_inv_[0][1] = -v_[0][1] / det;
    v_inv_[1][0] = -v_[1][0] / det;
    v_inv_[1][1] = v_[0][0] / det;
    // w = V^{-1} g with g = (0, 1): the second column of V^{-1}.
    w_[0] = v_inv_[0][1];
    w_[1] = v_inv_[1][1];
    // q w_k w_l / (lk + ll)
    for (int k = 0; k < 2; ++k)
        for (int l = 0; l < 2; ++l)
            m_coefficient_[k][l] = q_ * w_[k] * w_[l] / (lambda_[k] + lambda_[l]);
}

Matrix<2, 2> ConstantVelocitySDE::transition(double dt) const {
    // Phi(dt) = V diag(e^{l1 dt}, e^{l2 dt}) V^{-1}
    const Complex e[2] = {std::exp(lambda_[0] * dt), std::exp(lambda_[1] * dt)};
    Matrix<2, 2> phi;
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) {
            Complex sum = 0.0;
            for (int k = 0; k < 2; ++k) sum += v_[i][k] * e[k] * v_inv_[k][j];
            phi(i, j) = sum.real();
        }
    return phi;
}

SymmetricMatrix<2> ConstantVelocitySDE::covariance(double dt) const {
    // M_kl = q w_k w_l (e^{(lk+ll) dt} - 1) / (lk + ll); only e^{2 l1 dt},
    // e^{2 l2 dt} and e^{(l1+l2) dt} are needed (M is symmetric).
    Complex m[2][2];
    m[0][0] = m_coefficient_[0][0] * expm1((lambda_[0] + lambda_[0]) * dt);
    m[1][1] = m_coefficient_[1][1] * expm1((lambda_[1] + lambda_[1]) * dt);
    m[0][1] = m_coefficient_[0][1] * expm1((lambda_[0] + lambda_[1]) * dt);
    m[1][0] = m[0][1];
    // Q = V M V^T
    SymmetricMatrix<2> cov;
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j <= i; ++j) {
            Complex sum = 0.0;
            for (int k = 0; k < 2; ++k)
                for (int l = 0; l < 2; ++l) sum += v_[i][k] * m[k][l] * v_[j][l];
            cov(i, j) = sum.real();
        }
    return cov;
}

}  // namespace nmrc
