#include "geometry/uniform_interval.h"

#include <cmath>

#include "geometry/describe.h"

namespace ftprnt {

UniformInterval::UniformInterval(const xml::Querier& element) : region_(element) {
    check_finite();
}

UniformInterval::UniformInterval(double min, double max) : region_(min, max) { check_finite(); }

// An infinite bound would make every draw infinite or NaN.
void UniformInterval::check_finite() const {
    if (!std::isfinite(region_.min()))
        throw util::Exception("min is not finite in UniformInterval: min = " +
                              describe(region_.min()));
    if (!std::isfinite(region_.max()))
        throw util::Exception("max is not finite in UniformInterval: max = " +
                              describe(region_.max()));
}

// x = min + u (max - min)
void UniformInterval::sample(nmrc::Vector<1>& point) const {
    point[0] = region_.min() + generator_.next() * (region_.max() - region_.min());
}

}  // namespace ftprnt
