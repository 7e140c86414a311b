#include "geometry/uniform_rectified_rectangle.h"

#include "numerics/value_forms.h"

namespace ftprnt {

namespace {

// Infinite corners would make draws infinite or NaN.
bool finite(const nmrc::Vector<2>& corner) { return config::all_finite<2>().holds(corner); }

}  // namespace

const config::Schema<UniformRectifiedRectangle::Parameters>& UniformRectifiedRectangle::schema() {
    using P = Parameters;
    static const auto schema =
        RectifiedRectangle::schema()
            .derive("uniform points of a finite axis-aligned rectangle")
            .rule("p0 and p2", "finite", [](const P& p) { return finite(lower_corner(p.p0, p.p2)); },
                  [](const P& p) { return config::quote(lower_corner(p.p0, p.p2)); },
                  "min is not finite in UniformRectifiedRectangle: min = {value}")
            .rule("p0 and p2", "finite", [](const P& p) { return finite(upper_corner(p.p0, p.p2)); },
                  [](const P& p) { return config::quote(upper_corner(p.p0, p.p2)); },
                  "max is not finite in UniformRectifiedRectangle: max = {value}");
    return schema;
}

UniformRectifiedRectangle::UniformRectifiedRectangle(const Parameters& parameters)
    : min_(lower_corner(schema().validate(parameters).p0, parameters.p2)),
      max_(upper_corner(parameters.p0, parameters.p2)) {}

UniformRectifiedRectangle::UniformRectifiedRectangle(const nmrc::Vector<2>& min,
                                                     const nmrc::Vector<2>& max)
    : min_(min), max_(max) {
    if (!finite(min) || !finite(max))
        throw util::Exception("corners are not finite in UniformRectifiedRectangle: min = " + config::quote(min) +
                              ", max = " + config::quote(max));
    if (!(min[0] <= max[0] && min[1] <= max[1]))
        throw util::Exception("min exceeds max in UniformRectifiedRectangle: min = " +
                              config::quote(min) + ", max = " + config::quote(max));
}

// x_k = min_k + u_k (max_k - min_k), x drawn first.
void UniformRectifiedRectangle::sample(nmrc::Vector<2>& point) const {
    point[0] = min_[0] + x_generator_.next() * (max_[0] - min_[0]);
    point[1] = min_[1] + y_generator_.next() * (max_[1] - min_[1]);
}

}  // namespace ftprnt
