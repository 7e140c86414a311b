#pragma once
#include "geometry/parallelogram.h"
#include "geometry/uniform_footprint.h"

namespace ftprnt {

// Uniform points of a parallelogram, drawn from the program-wide shared
// generator.
class UniformParallelogram : public UniformFootprint<2> {
public:
    static const char* key() { return "parallelogram"; }

    // The element is read as Parallelogram reads it.
    using Parameters = Parallelogram::Parameters;
    static const config::Schema<Parameters>& schema() { return Parallelogram::schema(); }

    explicit UniformParallelogram(const Parameters& parameters) : region_(parameters) {}
    explicit UniformParallelogram(const xml::Querier& element) : region_(element) {}
    UniformParallelogram(const nmrc::Vector<2>& p, const nmrc::Vector<2>& v0,
                         const nmrc::Vector<2>& v1);

    const Parallelogram& region() const { return region_; }
    void sample(nmrc::Vector<2>& point) const override;

private:
    Parallelogram region_;
};

}  // namespace ftprnt
