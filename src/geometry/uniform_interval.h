#pragma once
#include "geometry/interval.h"
#include "geometry/uniform_footprint.h"
#include "numerics/random.h"

namespace ftprnt {

// Uniform points of a finite interval, from a generator of its own.
class UniformInterval : public UniformFootprint<1> {
public:
    static const char* key() { return "interval"; }

    // Reads the element as Interval does; the bounds must also be finite.
    explicit UniformInterval(const xml::Querier& element);
    UniformInterval(double min, double max);

    const Interval& region() const { return region_; }
    void sample(nmrc::Vector<1>& point) const override;

private:
    void check_finite() const;

    Interval region_;
    mutable nmrc::UniformGenerator generator_;
};

}  // namespace ftprnt
