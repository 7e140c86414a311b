#include "geometry/rectified_rectangle.h"

#include <algorithm>

#include "numerics/value_forms.h"

namespace ftprnt {

nmrc::Vector<2> lower_corner(const nmrc::Vector<2>& a, const nmrc::Vector<2>& b) {
    return {std::min(a[0], b[0]), std::min(a[1], b[1])};
}

nmrc::Vector<2> upper_corner(const nmrc::Vector<2>& a, const nmrc::Vector<2>& b) {
    return {std::max(a[0], b[0]), std::max(a[1], b[1])};
}

const config::Schema<RectifiedRectangle::Parameters>& RectifiedRectangle::schema() {
    using P = Parameters;
    static const auto schema =
        config::Schema<P>(key(), "an axis-aligned rectangle given by two opposite corners")
            .required(&P::p0, "p0", "one corner", config::also_named("min"))
            .required(&P::p2, "p2", "the opposite corner", config::also_named("max"))
            // Negated so that a NaN coordinate is ill-defined as well.
            .rule("p0 and p2", "corners of a rectangle of positive width and height",
                  [](const P& p) {
                      const nmrc::Vector<2> min = lower_corner(p.p0, p.p2);
                      const nmrc::Vector<2> max = upper_corner(p.p0, p.p2);
                      return min[0] < max[0] && min[1] < max[1];
                  },
                  [](const P& p) { return config::quote(p.p0) + ", " + config::quote(p.p2); },
                  "RectifiedRectangle is ill-defined: {value}");
    return schema;
}

RectifiedRectangle::RectifiedRectangle(const Parameters& parameters)
    : min_(lower_corner(schema().validate(parameters).p0, parameters.p2)),
      max_(upper_corner(parameters.p0, parameters.p2)) {}

// min <= x <= max in both coordinates: the edges belong to the rectangle.
bool RectifiedRectangle::contains(const nmrc::Vector<2>& point) const {
    return min_[0] <= point[0] && point[0] <= max_[0] && min_[1] <= point[1] &&
           point[1] <= max_[1];
}

void RectifiedRectangle::write(xml::OutStream& out) const {
    out.tag(key());
    out.element("min", min_);
    out.element("max", max_);
    out.end_tag();
}

}  // namespace ftprnt
