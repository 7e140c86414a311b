#include "geometry/ball.h"

#include "geometry/shape_checks.h"

namespace ftprnt {

template <int N>
const config::Schema<typename Ball<N>::Parameters>& Ball<N>::schema() {
    using P = Parameters;
    static const auto schema =
        config::Schema<P>(key(), N == 2 ? "the closed disc of points within radius of center"
                                        : "the closed ball of points within radius of center")
            .required(&P::center, "center", "the centre", finite_in<N>(name()))
            .required(&P::radius, "radius", "the radius; 0 leaves only the centre, inf covers every point",
                      radius_is_a_number(name()), radius_is_not_negative(name()));
    return schema;
}

template <int N>
Ball<N>::Ball(const Parameters& parameters)
    : center_(schema().validate(parameters).center),
      radius_(parameters.radius),
      radius_squared_(parameters.radius * parameters.radius) {}

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
