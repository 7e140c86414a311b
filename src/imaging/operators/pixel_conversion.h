#pragma once
#include <cmath>
#include <limits>
#include <type_traits>

namespace ipc {

// Stores a result in pixel type Out. Integer pixels take a real value
// truncated toward zero; every value outside Out's range is clamped to the
// nearest end of it (never wrapped), and NaN becomes 0.
template <class Out, class In>
Out to_pixel(In value) {
    static_assert(std::is_arithmetic_v<In> && std::is_arithmetic_v<Out>, "pixels are numbers");
    using Limits = std::numeric_limits<Out>;
    if constexpr (std::is_same_v<Out, bool>) {
        return value != 0;
    } else if constexpr (std::is_floating_point_v<Out>) {
        if constexpr (std::is_floating_point_v<In> && (sizeof(In) > sizeof(Out))) {
            if (value > Limits::max() && std::isfinite(value)) return Limits::max();
            if (value < Limits::lowest() && std::isfinite(value)) return Limits::lowest();
        }
        return static_cast<Out>(value);
    } else if constexpr (std::is_floating_point_v<In>) {
        if (std::isnan(value)) return Out(0);
        if (value <= static_cast<In>(Limits::lowest())) return Limits::lowest();
        if (value >= static_cast<In>(Limits::max())) return Limits::max();
        return static_cast<Out>(value);  // truncation toward zero
    } else {
        static_assert(sizeof(In) < sizeof(long long) || std::is_signed_v<In>, "compared as long long");
        const long long wide = static_cast<long long>(value);
        if (wide < static_cast<long long>(Limits::lowest())) return Limits::lowest();
        if (wide > static_cast<long long>(Limits::max())) return Limits::max();
        return static_cast<Out>(wide);
    }
}

// Mean of `count` values summing to `sum`, rounded half away from zero
// (mean + 0.5 truncated, or mean - 0.5 for a negative mean); 0 when there is
// nothing to average. Integer sums are rounded exactly, without the double
// rounding that mean + 0.5 would add.
inline long long rounded_mean(long long sum, long long count) {
    if (count <= 0) return 0;
    // round(s / n) = (2 s + n) / (2 n) for s >= 0, mirrored for s < 0
    return sum >= 0 ? (2 * sum + count) / (2 * count) : -((-2 * sum + count) / (2 * count));
}
inline double rounded_mean(double sum, long long count) {
    if (count <= 0) return 0;
    const double mean = sum / static_cast<double>(count);
    return std::trunc(mean >= 0 ? mean + 0.5 : mean - 0.5);
}

}  // namespace ipc
