#pragma once
#include <optional>

#include "numerics/matrix.h"
#include "numerics/normal.h"
#include "numerics/vector.h"

namespace ostrel {

// Spherical measurement geometry of a target seen from a sensor, with
// Delta = target position - sensor position:
//   range     r = |Delta|
//   bearing   theta = atan2(Delta_x, Delta_y)   (from +y towards +x)
//   elevation phi = asin(Delta_z / r)

// Brings a bearing innovation back into [-pi, pi]: a difference of 359
// degrees is really one of -1 degree.
double wrap_bearing(double innovation);

// (r, theta, phi) at an offset and their Jacobian with respect to the target
// position (rows r, theta, phi; columns x, y, z).
struct SphericalLinearization {
    nmrc::Vector<3> value;
    nmrc::Matrix<3, 3> jacobian;
};

// Empty when the horizontal range rho = |(Delta_x, Delta_y)| is 0 (to within
// the rounding of r): straight above or below the sensor the bearing and its
// Jacobian are undefined (division by rho), so no linearisation exists there.
std::optional<SphericalLinearization> linearize_spherical(const nmrc::Vector<3>& offset);

// The Cartesian position of a spherical measurement (r, theta, phi) from
// `sensor` with covariance `covariance` over (r, theta, phi), to first order:
// p = s + r (sin theta cos phi, cos theta cos phi, sin phi), Cp = J C J^T.
nmrc::Normal<3> converted_position(const nmrc::Vector<3>& sensor,
                                   const nmrc::Vector<3>& r_theta_phi,
                                   const nmrc::SymmetricMatrix<3>& covariance);

}  // namespace ostrel
