#include "geometry/uniform_rectified_rectangle.h"

#include "geometry/describe.h"
#include "geometry/rectified_rectangle.h"

namespace ftprnt {

UniformRectifiedRectangle::UniformRectifiedRectangle(const xml::Querier& element) {
    const RectifiedRectangle region(element);
    min_ = region.min();
    max_ = region.max();
    check_finite();
}

UniformRectifiedRectangle::UniformRectifiedRectangle(const nmrc::Vector<2>& min,
                                                     const nmrc::Vector<2>& max)
    : min_(min), max_(max) {
    check_finite();
    if (!(min[0] <= max[0] && min[1] <= max[1]))
        throw util::Exception("min exceeds max in UniformRectifiedRectangle: min = " +
                              describe(min) + ", max = " + describe(max));
}

// Infinite corners would make draws infinite or NaN.
void UniformRectifiedRectangle::check_finite() const {
    require_finite(min_, "min", "UniformRectifiedRectangle");
    require_finite(max_, "max", "UniformRectifiedRectangle");
}

// x_k = min_k + u_k (max_k - min_k), x drawn first.
void UniformRectifiedRectangle::sample(nmrc::Vector<2>& point) const {
    point[0] = min_[0] + x_generator_.next() * (max_[0] - min_[0]);
    point[1] = min_[1] + y_generator_.next() * (max_[1] - min_[1]);
}

}  // namespace ftprnt
