#include "geometry/uniform_circle.h"

#include <cmath>

#include "geometry/describe.h"

namespace ftprnt {

namespace {

// The finite radius a sampler needs, checked before the square is built.
const Circle& finite(const Circle& circle) {
    if (!std::isfinite(circle.radius()))
        throw util::Exception("radius is not finite in UniformCircle: radius = " +
                              describe(circle.radius()));
    return circle;
}

nmrc::Vector<2> corner(const Circle& circle, double sign) {
    return circle.center() + nmrc::Vector<2>::constant(sign * circle.radius());
}

}  // namespace

UniformCircle::UniformCircle(const xml::Querier& element)
    : region_(element), square_(corner(finite(region_), -1.0), corner(region_, 1.0)) {}

UniformCircle::UniformCircle(const nmrc::Vector<2>& center, double radius)
    : region_(center, radius), square_(corner(finite(region_), -1.0), corner(region_, 1.0)) {}

void UniformCircle::sample(nmrc::Vector<2>& point) const {
    do {
        square_.sample(point);
    } while (!region_.contains(point));
}

}  // namespace ftprnt
