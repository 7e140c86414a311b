#include "geometry/ball.h"

#include "geometry/describe.h"

namespace ftprnt {

template <int N>
Ball<N>::Ball(const xml::Querier& element) {
    const auto center = element.read<nmrc::Vector<N>>("center");
    const double radius = element.read<double>("radius");
    define(center, radius);
}

template <int N>
Ball<N>::Ball(const nmrc::Vector<N>& center, double radius) {
    define(center, radius);
}

template <int N>
void Ball<N>::define(const nmrc::Vector<N>& center, double radius) {
    require_finite(center, "center", name());
    require_radius(radius, "radius", name());
    center_ = center;
    radius_ = radius;
    radius_squared_ = radius * radius;
}

// |x - center|^2 <= radius^2: squared distances, no square root.
template <int N>
bool Ball<N>::contains(const nmrc::Vector<N>& point) const {
    const nmrc::Vector<N> d = point - center_;
    return nmrc::dot(d, d) <= radius_squared_;
}

template <int N>
void Ball<N>::write(xml::OutStream& out) const {
    out.tag(key());
    out.element("center", center_);
    out.element("radius", radius_);
    out.end_tag();
}

template class Ball<2>;
template class Ball<3>;

}  // namespace ftprnt
