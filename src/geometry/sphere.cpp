#include "geometry/sphere.h"

#include "geometry/describe.h"

namespace ftprnt {

Sphere::Sphere(const xml::Querier& element) {
    const auto center = element.read<nmrc::Vector<3>>("center");
    const double radius = element.read<double>("radius");
    define(center, radius);
}

Sphere::Sphere(const nmrc::Vector<3>& center, double radius) { define(center, radius); }

void Sphere::define(const nmrc::Vector<3>& center, double radius) {
    require_finite(center, "center", "Sphere");
    require_radius(radius, "radius", "Sphere");
    center_ = center;
    radius_ = radius;
    radius_squared_ = radius * radius;
}

// |x - center|^2 <= radius^2
bool Sphere::contains(const nmrc::Vector<3>& point) const {
    const nmrc::Vector<3> d = point - center_;
    return nmrc::dot(d, d) <= radius_squared_;
}

void Sphere::write(xml::OutStream& out) const {
    out.tag(key());
    out.element("center", center_);
    out.element("radius", radius_);
    out.end_tag();
}

}  // namespace ftprnt
