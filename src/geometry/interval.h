#pragma once
#include "config/schema.h"
#include "geometry/footprint.h"

namespace ftprnt {

// The closed interval [min, max] of the line; min < max.
class Interval : public FootprintTemplate<1, Interval> {
public:
    static const char* key() { return "interval"; }

    struct Parameters {
        double min = 0.0;
        double max = 0.0;
    };
    static const config::Schema<Parameters>& schema();

    explicit Interval(const Parameters& parameters);
    explicit Interval(const xml::Querier& element) : Interval(schema().bind(element)) {}
    Interval(double min, double max) : Interval(Parameters{min, max}) {}

    double min() const { return min_; }
    double max() const { return max_; }

    bool contains(const nmrc::Vector<1>& point) const override;
    void write(xml::OutStream& out) const override;

private:
    double min_ = 0.0;
    double max_ = 0.0;
};

}  // namespace ftprnt
