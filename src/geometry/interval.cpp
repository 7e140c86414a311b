#include "geometry/interval.h"

namespace ftprnt {

const config::Schema<Interval::Parameters>& Interval::schema() {
    using P = Parameters;
    static const auto schema =
        config::Schema<P>(key(), "the closed interval [min, max] of the line")
            .required(&P::min, "min", "the lower end")
            .required(&P::max, "max", "the upper end")
            // Written as a negated test so that NaN bounds are rejected too.
            .rule("max", "greater than min", [](const P& p) { return p.max > p.min; },
                  [](const P& p) { return config::quote(p.max) + ", min = " + config::quote(p.min); },
                  "Interval is empty");
    return schema;
}

Interval::Interval(const Parameters& parameters)
    : min_(schema().validate(parameters).min), max_(parameters.max) {}

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
