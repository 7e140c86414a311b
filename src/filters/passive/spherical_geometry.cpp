#include "filters/passive/spherical_geometry.h"

#include <cmath>
#include <limits>

namespace ostrel {

namespace {
constexpr double pi = 3.141592653589793;
constexpr double two_pi = 6.283185307179586;
}  // namespace

double wrap_bearing(double nu) {
    // nu -= 2 pi trunc((nu + pi) / 2 pi) above pi; nu -= 2 pi trunc((nu - pi) / 2 pi) below -pi
    if (nu > pi) nu -= two_pi * std::trunc((nu + pi) / two_pi);
    if (nu < -pi) nu -= two_pi * std::trunc((nu - pi) / two_pi);
    return nu;
}

std::optional<SphericalLinearization> linearize_spherical(const nmrc::Vector<3>& d) {
    const double rho2 = d[0] * d[0] + d[1] * d[1];  // rho^2 = dx^2 + dy^2
    const double rho = std::sqrt(rho2);
    const double r2 = rho2 + d[2] * d[2];
    const double r = std::sqrt(r2);
    // rho = 0, or lost in the rounding of r (a point computed as straight
    // above comes out with rho ~ 1e-17 r): the bearing has no derivative.
    if (!(rho > r * std::numeric_limits<double>::epsilon())) return std::nullopt;

    SphericalLinearization lin;
    lin.value = {r, std::atan2(d[0], d[1]), std::asin(d[2] / r)};
    // row r: (dx, dy, dz) / r
    lin.jacobian(0, 0) = d[0] / r;
    lin.jacobian(0, 1) = d[1] / r;
    lin.jacobian(0, 2) = d[2] / r;
    // row theta: (dy, -dx, 0) / rho^2
    lin.jacobian(1, 0) = d[1] / rho2;
    lin.jacobian(1, 1) = -d[0] / rho2;
    // row phi: (-dx dz / (rho r^2), -dy dz / (rho r^2), rho / r^2)
    lin.jacobian(2, 0) = -d[0] * d[2] / (rho * r2);
    lin.jacobian(2, 1) = -d[1] * d[2] / (rho * r2);
    lin.jacobian(2, 2) = rho / r2;
    return lin;
}

nmrc::Normal<3> converted_position(const nmrc::Vector<3>& sensor,
                                   const nmrc::Vector<3>& rtp,
                                   const nmrc::SymmetricMatrix<3>& covariance) {
    const double r = rtp[0];
    const double st = std::sin(rtp[1]), ct = std::cos(rtp[1]);
    const double sp = std::sin(rtp[2]), cp = std::cos(rtp[2]);
    nmrc::Normal<3> p;
    // p = s + r (sin theta cos phi, cos theta cos phi, sin phi)
    p.mean = sensor + r * nmrc::Vector<3>{st * cp, ct * cp, sp};
    // J = dp / d(r, theta, phi); columns
    //   (sin t cos f, cos t cos f, sin f), (r cos t cos f, -r sin t cos f, 0),
    //   (-r sin t sin f, -r cos t sin f, r cos f)
    const nmrc::Matrix<3, 3> j{st * cp, r * ct * cp,  -r * st * sp,
                               ct * cp, -r * st * cp, -r * ct * sp,
                               sp,      0.0,          r * cp};
    // Cp = J C J^T
    p.covariance = nmrc::transform(j, covariance);
    return p;
}

}  // namespace ostrel
