#include "geometry/spherical_shell.h"

#include "geometry/shape_checks.h"

namespace ftprnt {

const config::Schema<SphericalShell::Parameters>& SphericalShell::schema() {
    using P = Parameters;
    static const auto schema =
        config::Schema<P>(key(), "the open shell of points strictly between two radii from center")
            .required(&P::center, "center", "the centre", finite_in<3>("SphericalShell"))
            // A negative inner radius would square to a hole the user never asked for.
            .required(&P::inner_radius, "inner_radius", "points at this distance or nearer are outside",
                      radius_is_a_number("SphericalShell"), radius_is_not_negative("SphericalShell"))
            .required(&P::outer_radius, "outer_radius", "points at this distance or farther are outside")
            .rule("outer_radius", "greater than inner_radius",
                  [](const P& p) { return p.outer_radius > p.inner_radius; },
                  [](const P& p) {
                      return config::quote(p.outer_radius) + ", inner_radius = " + config::quote(p.inner_radius);
                  },
                  "inner radius is not smaller than outer radius in SphericalShell");
    return schema;
}

SphericalShell::SphericalShell(const Parameters& parameters)
    : center_(schema().validate(parameters).center),
      inner_radius_(parameters.inner_radius),
      outer_radius_(parameters.outer_radius),
      inner_squared_(inner_radius_ * inner_radius_),
      outer_squared_(outer_radius_ * outer_radius_) {}

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
