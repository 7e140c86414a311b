#include "imaging/float_to_short_scaling.h"

#include <cmath>

namespace ipc {

void FloatToShortScaling::observe(const float* values, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const double v = values[i];
        if (!std::isfinite(v)) continue;
        if (!seen_) {
            min_ = max_ = v;
            seen_ = true;
        } else if (v < min_) {
            min_ = v;
        } else if (v > max_) {
            max_ = v;
        }
        if (integral_ && !(v >= 0 && v <= 65535 && v == std::floor(v))) integral_ = false;
    }
}

void FloatToShortScaling::convert(const float* values, std::size_t count, unsigned short* out) const {
    const double span = max_ - min_;
    const double factor = span > 0 ? 65535.0 / span : 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        const double v = values[i];
        if (std::isnan(v) || v == -INFINITY) {
            out[i] = 0;
        } else if (v == INFINITY) {
            out[i] = 65535;
        } else if (integral_) {
            out[i] = static_cast<unsigned short>(v);
        } else {
            // p' = round((p - min) * 65535 / (max - min))
            const double scaled = std::fmin(65535.0, std::fmax(0.0, (v - min_) * factor));
            out[i] = static_cast<unsigned short>(std::lround(scaled));
        }
    }
}

}  // namespace ipc
