#include "geometry/interval.h"

namespace ftprnt {

Interval::Interval(const xml::Querier& element) {
    const double min = element.read<double>("min");
    const double max = element.read<double>("max");
    define(min, max);
}

Interval::Interval(double min, double max) { define(min, max); }

void Interval::define(double min, double max) {
    // Written as a negated test so that NaN bounds are rejected too.
    if (!(max > min)) throw util::Exception("Interval is empty");
    min_ = min;
    max_ = max;
}

// min <= x <= max: both end points belong to the interval.
bool Interval::contains(const nmrc::Vector<1>& point) const {
    return min_ <= point[0] && point[0] <= max_;
}

void Interval::write(xml::OutStream& out) const {
    out.tag(key());
    out.element("min", min_);
    out.element("max", max_);
    out.end_tag();
}

}  // namespace ftprnt
