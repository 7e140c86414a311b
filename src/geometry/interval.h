#pragma once
#include "geometry/footprint.h"

namespace ftprnt {

// The closed interval [min, max] of the line; min < max.
class Interval : public FootprintTemplate<1, Interval> {
public:
    static const char* key() { return "interval"; }

    // Reads "min", then "max".
    explicit Interval(const xml::Querier& element);
    Interval(double min, double max);

    double min() const { return min_; }
    double max() const { return max_; }

    bool contains(const nmrc::Vector<1>& point) const override;
    void write(xml::OutStream& out) const override;

private:
    void define(double min, double max);

    double min_ = 0.0;
    double max_ = 0.0;
};

}  // namespace ftprnt
