#include "geometry/uniform_interval.h"

#include <cmath>


namespace ftprnt {

// An infinite bound would make every draw infinite or NaN.
const config::Schema<UniformInterval::Parameters>& UniformInterval::schema() {
    using P = Parameters;
    static const auto schema =
        Interval::schema()
            .derive("uniform points of a finite interval [min, max]")
            .rule("min", "finite", [](const P& p) { return std::isfinite(p.min); },
                  [](const P& p) { return config::quote(p.min); }, "min is not finite in UniformInterval: min = {value}")
            .rule("max", "finite", [](const P& p) { return std::isfinite(p.max); },
                  [](const P& p) { return config::quote(p.max); }, "max is not finite in UniformInterval: max = {value}");
    return schema;
}

UniformInterval::UniformInterval(const Parameters& parameters) : region_(schema().validate(parameters)) {}

// x = min + u (max - min)
void UniformInterval::sample(nmrc::Vector<1>& point) const {
    point[0] = region_.min() + generator_.next() * (region_.max() - region_.min());
}

}  // namespace ftprnt
