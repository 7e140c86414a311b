#include "filters/passive/waveform_fit.h"

#include <algorithm>
#include <cmath>

#include "config/value_form.h"
#include "util/exception.h"

namespace ostrel {

namespace {
constexpr double two_pi = 6.283185307179586;

void fail(const std::string& what, const EsmFeatureContact& f, double value,
          const std::string& owner) {
    throw util::Exception(what + " of feature " + std::to_string(f.id) + " must be positive in " +
                          owner + ": " + what + " = " + config::quote(value));
}
}  // namespace

WaveformFit fit_waveform(WaveformBelief belief, const EsmWaveformContact& waveform,
                         const std::string& owner) {
    WaveformFit fit;
    for (const EsmFeatureContact& f : waveform) {
        auto at = std::lower_bound(
            belief.begin(), belief.end(), f.id,
            [](const WaveformFeature& known, std::int32_t id) { return known.id < id; });
        if (at == belief.end() || at->id != f.id) {
            if (!(f.support > 0.0)) fail("support", f, f.support, owner);
            fit.log_density -= std::log(f.support);  // uniform over the support
            belief.insert(at, {f.id, f.mean, f.variance});
            continue;
        }
        const double s = at->variance + f.variance;  // S = P + R
        if (!(s > 0.0)) fail("predicted variance", f, s, owner);
        const double nu = f.mean - at->mean;  // nu = z - x
        const double d2 = nu * nu / s;
        fit.mahalanobis_squared += d2;
        fit.log_density += -0.5 * std::log(two_pi * s) - 0.5 * d2;
        const double k = at->variance / s;  // K = P / S
        at->mean += k * nu;                 // x' = x + K nu
        at->variance *= 1.0 - k;            // P' = (1 - K) P
    }
    fit.posterior = std::move(belief);
    return fit;
}

}  // namespace ostrel
