#pragma once
#include <complex>

#include "numerics/matrix.h"
#include "numerics/symmetric_matrix.h"

namespace nmrc {

// The linear SDE dx = A x dt + g dW for x = (position, velocity) of one axis,
// g = (0, 1)^T, with dW of variance rate q. It is solved in closed form
// through the eigen-decomposition A = V diag(l1, l2) V^{-1}:
//   Phi(dt) = V diag(e^{l1 dt}, e^{l2 dt}) V^{-1}
//   Q(dt)   = q V M V^T,  M_kl = w_k w_l (e^{(lk+ll) dt} - 1) / (lk + ll),
// with w = V^{-1} g; Q(dt) = int_0^dt Phi(s) g g^T Phi(s)^T q ds.
class ConstantVelocitySDE {
public:
    using Complex = std::complex<double>;

    // Fails with "non-distinct eigenvalues found in ConstantVelocitySDE" when
    // the discriminant is exactly zero, and with "real part of eigenvalue is
    // non-negative in ContantVelocitySDE " + the real part when an eigenvalue
    // does not decay. The eigenvector columns are (b, lk - a), so b = A(0, 1)
    // must not be zero.
    ConstantVelocitySDE(const Matrix<2, 2>& a, double q);

    // Phi(dt); the identity at dt = 0.
    Matrix<2, 2> transition(double dt) const;
    // Q(dt); zero at dt = 0.
    SymmetricMatrix<2> covariance(double dt) const;

    Complex eigenvalue(int k) const { return lambda_[k]; }
    double noise_intensity() const { return q_.real(); }

private:
    Complex q_;
    Complex lambda_[2];
    Complex v_[2][2];      // eigenvectors as columns
    Complex v_inv_[2][2];  // V^{-1}
    Complex w_[2];         // V^{-1} g
    // q w_k w_l / (lk + ll), the factor of (e^{(lk+ll) dt} - 1) in M.
    Complex m_coefficient_[2][2];
};

}  // namespace nmrc
