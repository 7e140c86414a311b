#include "simulation/ou_process.h"

#include <cmath>

#include "simulation/parameter_checks.h"

namespace truth {

double exprel(double y) {
    if (std::fabs(y) < 0.4) {
        // 1 + y/2 (1 + y/3 (1 + ... (1 + y/14)))
        double sum = 1.0;
        for (int k = 14; k >= 2; --k) sum = 1.0 + y / k * sum;
        return sum;
    }
    return std::expm1(y) / y;  // (e^y - 1) / y
}

OuAxisStep ou_axis_step(double sigma, double process_noise, double dt) {
    // theta = q / (2 sigma^2)
    const double theta = process_noise / (2.0 * sigma * sigma);
    // a = e^(-theta dt); s^2 = q dt E(-2 theta dt) = sigma^2 (1 - e^(-2 theta dt))
    const double a = std::exp(-theta * dt);
    const double s2 = process_noise * dt * exprel(-2.0 * theta * dt);
    return {a, std::sqrt(s2)};
}

void require_time_step(const std::string& owner, double dt) {
    smltr::require_non_negative(owner, "dt", dt);
}

template <int N>
OuProcess<N>::OuProcess(const nmrc::Vector<N>& center, const nmrc::Vector<N>& sigma,
                        const nmrc::Vector<N>& process_noise)
    : center_(center), sigma_(sigma), process_noise_(process_noise) {
    smltr::require_finite(key(), "center", center);
    smltr::require_positive(key(), "sigma", sigma);
    smltr::require_non_negative(key(), "process_noise", process_noise);
}

template class OuProcess<1>;
template class OuProcess<2>;
template class OuProcess<3>;
template class OuProcess<4>;

}  // namespace truth
