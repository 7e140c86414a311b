#include "geometry/rectified_rectangle.h"

#include <algorithm>

#include "geometry/describe.h"

namespace ftprnt {

RectifiedRectangle::RectifiedRectangle(const xml::Querier& element) {
    const bool written_form = !element.has_tag("p0") && element.has_tag("min");
    const char* first = written_form ? "min" : "p0";
    const char* second = written_form ? "max" : "p2";
    const auto a = element.read<nmrc::Vector<2>>(first);
    const auto b = element.read<nmrc::Vector<2>>(second);
    define(a, b);
}

RectifiedRectangle::RectifiedRectangle(const nmrc::Vector<2>& corner_a,
                                       const nmrc::Vector<2>& corner_b) {
    define(corner_a, corner_b);
}

void RectifiedRectangle::define(const nmrc::Vector<2>& a, const nmrc::Vector<2>& b) {
    for (int k = 0; k < 2; ++k) {
        min_[k] = std::min(a[k], b[k]);
        max_[k] = std::max(a[k], b[k]);
    }
    // Negated so that a NaN coordinate is ill-defined as well.
    if (!(min_[0] < max_[0] && min_[1] < max_[1]))
        throw util::Exception("RectifiedRectangle is ill-defined: " + describe(a) + ", " +
                              describe(b));
}

// min <= x <= max in both coordinates: the edges belong to the rectangle.
bool RectifiedRectangle::contains(const nmrc::Vector<2>& point) const {
    return min_[0] <= point[0] && point[0] <= max_[0] && min_[1] <= point[1] &&
           point[1] <= max_[1];
}

void RectifiedRectangle::write(xml::OutStream& out) const {
    out.tag(key());
    out.element("min", min_);
    out.element("max", max_);
    out.end_tag();
}

}  // namespace ftprnt
