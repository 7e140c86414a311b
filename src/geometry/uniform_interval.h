#pragma once
#include "geometry/interval.h"
#include "geometry/uniform_footprint.h"
#include "numerics/random.h"

namespace ftprnt {

// Uniform points of a finite interval, from a generator of its own.
class UniformInterval : public UniformFootprint<1> {
public:
    static const char* key() { return "interval"; }

    // The element is read as Interval reads it; the bounds must also be finite.
    using Parameters = Interval::Parameters;
    static const config::Schema<Parameters>& schema();

    explicit UniformInterval(const Parameters& parameters);
    explicit UniformInterval(const xml::Querier& element) : UniformInterval(schema().bind(element)) {}
    UniformInterval(double min, double max) : UniformInterval(Parameters{min, max}) {}

    const Interval& region() const { return region_; }
    void sample(nmrc::Vector<1>& point) const override;

private:
    Interval region_;
    mutable nmrc::UniformGenerator generator_;
};

}  // namespace ftprnt
