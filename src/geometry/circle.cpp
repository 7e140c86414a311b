#include "geometry/circle.h"

#include "geometry/describe.h"

namespace ftprnt {

Circle::Circle(const xml::Querier& element) {
    const auto center = element.read<nmrc::Vector<2>>("center");
    const double radius = element.read<double>("radius");
    define(center, radius);
}

Circle::Circle(const nmrc::Vector<2>& center, double radius) { define(center, radius); }

void Circle::define(const nmrc::Vector<2>& center, double radius) {
    require_finite(center, "center", "Circle");
    require_radius(radius, "radius", "Circle");
    center_ = center;
    radius_ = radius;
    radius_squared_ = radius * radius;
}

// |x - center|^2 <= radius^2: squared distances, no square root.
bool Circle::contains(const nmrc::Vector<2>& point) const {
    const nmrc::Vector<2> d = point - center_;
    return nmrc::dot(d, d) <= radius_squared_;
}

void Circle::write(xml::OutStream& out) const {
    out.tag(key());
    out.element("center", center_);
    out.element("radius", radius_);
    out.end_tag();
}

}  // namespace ftprnt
