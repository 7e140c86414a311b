#include "geometry/spherical_shell.h"

#include "geometry/describe.h"

namespace ftprnt {

SphericalShell::SphericalShell(const xml::Querier& element) {
    const auto center = element.read<nmrc::Vector<3>>("center");
    const double inner = element.read<double>("inner_radius");
    const double outer = element.read<double>("outer_radius");
    define(center, inner, outer);
}

SphericalShell::SphericalShell(const nmrc::Vector<3>& center, double inner_radius,
                               double outer_radius) {
    define(center, inner_radius, outer_radius);
}

void SphericalShell::define(const nmrc::Vector<3>& center, double inner, double outer) {
    if (!(outer > inner))
        throw util::Exception("inner radius is not smaller than outer radius in SphericalShell");
    require_finite(center, "center", "SphericalShell");
    // A negative inner radius would square to a hole the user never asked for.
    require_radius(inner, "inner_radius", "SphericalShell");
    center_ = center;
    inner_radius_ = inner;
    outer_radius_ = outer;
    inner_squared_ = inner * inner;
    outer_squared_ = outer * outer;
}

// inner^2 < |x - center|^2 < outer^2, both bounds excluded.
bool SphericalShell::contains(const nmrc::Vector<3>& point) const {
    const nmrc::Vector<3> d = point - center_;
    const double r2 = nmrc::dot(d, d);
    return inner_squared_ < r2 && r2 < outer_squared_;
}

void SphericalShell::write(xml::OutStream& out) const {
    out.tag(key());
    out.element("center", center_);
    out.element("inner_radius", inner_radius_);
    out.element("outer_radius", outer_radius_);
    out.end_tag();
}

}  // namespace ftprnt
