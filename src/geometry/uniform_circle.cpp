#include "geometry/uniform_circle.h"

#include <cmath>


namespace ftprnt {

namespace {

nmrc::Vector<2> corner(const Circle& circle, double sign) {
    return circle.center() + nmrc::Vector<2>::constant(sign * circle.radius());
}

}  // namespace

const config::Schema<UniformCircle::Parameters>& UniformCircle::schema() {
    using P = Parameters;
    static const auto schema =
        Circle::schema()
            .derive("uniform points of a disc of finite radius")
            .rule("radius", "finite", [](const P& p) { return std::isfinite(p.radius); },
                  [](const P& p) { return config::quote(p.radius); },
                  "radius is not finite in UniformCircle: radius = {value}");
    return schema;
}

UniformCircle::UniformCircle(const Parameters& parameters)
    : region_(schema().validate(parameters)), square_(corner(region_, -1.0), corner(region_, 1.0)) {}

void UniformCircle::sample(nmrc::Vector<2>& point) const {
    do {
        square_.sample(point);
    } while (!region_.contains(point));
}

}  // namespace ftprnt
