#include "geometry/parallelogram.h"

#include "geometry/shape_checks.h"

namespace ftprnt {

namespace {

// det [v0 v1] = v0.x v1.y - v0.y v1.x
double determinant(const nmrc::Vector<2>& v0, const nmrc::Vector<2>& v1) {
    return v0[0] * v1[1] - v0[1] * v1[0];
}

}  // namespace

const config::Schema<Parallelogram::Parameters>& Parallelogram::schema() {
    using P = Parameters;
    static const auto schema =
        config::Schema<P>(key(), "the closed parallelogram {p + s v0 + t v1 : s, t in [0, 1]}")
            .required(&P::p, "p", "a corner", finite_in<2>("Parallelogram"))
            .required(&P::v0, "v0", "the first edge from p", finite_in<2>("Parallelogram"))
            .required(&P::v1, "v1", "the second edge from p", finite_in<2>("Parallelogram"))
            .rule("v1", "at an angle to v0", [](const P& p) { return determinant(p.v0, p.v1) != 0.0; },
                  [](const P& p) { return config::quote(p.v1) + ", v0 = " + config::quote(p.v0); },
                  "v0 and v1 are parallel in Parallelogram::define");
    return schema;
}

Parallelogram::Parallelogram(const Parameters& parameters)
    : p_(schema().validate(parameters).p), v0_(parameters.v0), v1_(parameters.v1) {
    // [v0 v1]^-1 = (1/det) [[v1.y, -v1.x], [-v0.y, v0.x]]
    const double f = 1.0 / determinant(v0_, v1_);
    inverse_(0, 0) = f * v1_[1];
    inverse_(0, 1) = f * -v1_[0];
    inverse_(1, 0) = f * -v0_[1];
    inverse_(1, 1) = f * v0_[0];
}

nmrc::Vector<2> Parallelogram::edge_coordinates(const nmrc::Vector<2>& point) const {
    return inverse_ * (point - p_);
}

// 0 <= s <= 1 and 0 <= t <= 1: the edges belong to the parallelogram.
bool Parallelogram::contains(const nmrc::Vector<2>& point) const {
    const nmrc::Vector<2> st = edge_coordinates(point);
    return 0.0 <= st[0] && st[0] <= 1.0 && 0.0 <= st[1] && st[1] <= 1.0;
}

void Parallelogram::write(xml::OutStream& out) const {
    out.tag(key());
    out.element("p", p_);
    out.element("v0", v0_);
    out.element("v1", v1_);
    out.end_tag();
}

}  // namespace ftprnt
