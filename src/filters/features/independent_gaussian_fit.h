#pragma once
#include <cmath>
#include <string>

#include "util/exception.h"

namespace ostrel {

// The fit of a measured feature (means z, sigmas sc) to a track's feature
// (means x, sigmas st) with independent components, and the updated track
// feature.
struct IndependentGaussianFit {
    double mahalanobis_squared = 0;
    double log_density = 0;
};

// Per component i, S_i = st_i^2 + sc_i^2:
//   d^2 = sum_i (z_i - x_i)^2 / S_i
//   ln p = -(n/2) ln(2 pi) - d^2 / 2 - (1/2) sum_i ln S_i
//   K_i = st_i^2 / S_i, x_i' = x_i + K_i (z_i - x_i), st_i' = sqrt(st_i^2 (1 - K_i))
// written into `mean` and `sigma` (sized like x). A component with S_i = 0
// (both sigmas zero) has no density: it fails naming the component and
// `owner`.
template <class V>
IndependentGaussianFit fit_independent(int n, const V& x, const V& st, const V& z, const V& sc,
                                       V& mean, V& sigma, const std::string& owner) {
    constexpr double log_two_pi = 1.8378770664093453;  // ln(2 pi)
    IndependentGaussianFit fit;
    fit.log_density = -0.5 * n * log_two_pi;
    for (int i = 0; i < n; ++i) {
        const double p = st[i] * st[i];
        const double s = p + sc[i] * sc[i];  // S = st^2 + sc^2
        if (!(s > 0.0))
            throw util::Exception("feature component " + std::to_string(i) +
                                  " has zero variance in both track and contact in " + owner);
        const double nu = z[i] - x[i];
        const double d2 = nu * nu / s;
        fit.mahalanobis_squared += d2;
        fit.log_density += -0.5 * d2 - 0.5 * std::log(s);
        const double k = p / s;               // K = st^2 / S
        mean[i] = x[i] + k * nu;              // x' = x + K (z - x)
        sigma[i] = std::sqrt(p * (1.0 - k));  // st' = sqrt(st^2 (1 - K))
    }
    return fit;
}

}  // namespace ostrel
