#include "imaging/segment_shape.h"

#include <algorithm>
#include <cmath>

namespace ipc {

SegmentFeaturesState::Features segment_features(const PlaneSums& sums) {
    SegmentFeaturesState::Features f;
    const double n = static_cast<double>(sums.count);
    f.area = n;
    f.total_intensity = static_cast<double>(sums.value);
    f.mean_intensity = f.total_intensity / n;

    // Central second moments of the pixel squares:
    // var x = sum x^2 / n - (sum x / n)^2 + 1/12, and alike.
    const double mx = static_cast<double>(sums.x) / n;
    const double my = static_cast<double>(sums.y) / n;
    const double a = static_cast<double>(sums.xx) / n - mx * mx + 1.0 / 12.0;
    const double c = static_cast<double>(sums.yy) / n - my * my + 1.0 / 12.0;
    const double b = static_cast<double>(sums.xy) / n - mx * my;

    // Eigenvalues of [[a, b], [b, c]]: (a + c) / 2 +- sqrt(((a - c) / 2)^2 + b^2).
    const double half_sum = 0.5 * (a + c);
    const double radius = std::hypot(0.5 * (a - c), b);
    const double major = half_sum + radius;
    const double minor = std::max(half_sum - radius, 1.0 / 12.0);  // rounding only
    f.major_axis = 4.0 * std::sqrt(major);
    f.minor_axis = 4.0 * std::sqrt(minor);
    f.elongation = f.major_axis / f.minor_axis;
    // Angle of the major axis: theta = atan2(2b, a - c) / 2, in (-pi/2, pi/2].
    f.orientation = 0.5 * std::atan2(2.0 * b, a - c);
    if (f.orientation <= -0.5 * M_PI) f.orientation += M_PI;  // atan2(-0.0, x < 0) = -pi
    return f;
}

}  // namespace ipc
