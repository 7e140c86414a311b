#include "geometry/parallelogram.h"

#include "geometry/describe.h"

namespace ftprnt {

Parallelogram::Parallelogram(const xml::Querier& element) {
    const auto p = element.read<nmrc::Vector<2>>("p");
    const auto v0 = element.read<nmrc::Vector<2>>("v0");
    const auto v1 = element.read<nmrc::Vector<2>>("v1");
    define(p, v0, v1);
}

Parallelogram::Parallelogram(const nmrc::Vector<2>& p, const nmrc::Vector<2>& v0,
                             const nmrc::Vector<2>& v1) {
    define(p, v0, v1);
}

void Parallelogram::define(const nmrc::Vector<2>& p, const nmrc::Vector<2>& v0,
                           const nmrc::Vector<2>& v1) {
    // det [v0 v1] = v0.x v1.y - v0.y v1.x
    const double det = v0[0] * v1[1] - v0[1] * v1[0];
    if (det == 0.0) throw util::Exception("v0 and v1 are parallel in Parallelogram::define");
    require_finite(p, "p", "Parallelogram");
    require_finite(v0, "v0", "Parallelogram");
    require_finite(v1, "v1", "Parallelogram");
    p_ = p;
    v0_ = v0;
    v1_ = v1;
    // [v0 v1]^-1 = (1/det) [[v1.y, -v1.x], [-v0.y, v0.x]]
    const double f = 1.0 / det;
    inverse_(0, 0) = f * v1[1];
    inverse_(0, 1) = f * -v1[0];
    inverse_(1, 0) = f * -v0[1];
    inverse_(1, 1) = f * v0[0];
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
