#include "numerics/mou_process.h"

namespace nmrc {
namespace detail {

ConstantVelocitySDE mou_axis_sde(double position_sigma, double velocity_sigma, double process_noise) {
    // kappa = (velocity_sigma / position_sigma)^2, gamma = q / (2 velocity_sigma^2)
    const double ratio = velocity_sigma / position_sigma;
    const double kappa = ratio * ratio;
    const double gamma = process_noise / (2.0 * velocity_sigma * velocity_sigma);
    // A = [[0, 1], [-kappa, -gamma]]
    return ConstantVelocitySDE(Matrix<2, 2>{0.0, 1.0, -kappa, -gamma}, process_noise);
}

}  // namespace detail
}  // namespace nmrc
