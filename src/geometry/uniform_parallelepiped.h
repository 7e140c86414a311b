#pragma once
#include "geometry/parallelepiped.h"
#include "geometry/uniform_footprint.h"

namespace ftprnt {

// Uniform points of a parallelepiped, drawn from the program-wide shared
// generator.
class UniformParallelepiped : public UniformFootprint<3> {
public:
    static const char* key() { return "parallelepiped"; }

    // The element is read as Parallelepiped reads it.
    using Parameters = Parallelepiped::Parameters;
    static const config::Schema<Parameters>& schema() { return Parallelepiped::schema(); }

    explicit UniformParallelepiped(const Parameters& parameters) : region_(parameters) {}
    explicit UniformParallelepiped(const xml::Querier& element) : region_(element) {}
    UniformParallelepiped(const nmrc::Vector<3>& p, const nmrc::Vector<3>& v0,
                          const nmrc::Vector<3>& v1, const nmrc::Vector<3>& v2);

    const Parallelepiped& region() const { return region_; }
    void sample(nmrc::Vector<3>& point) const override;

private:
    Parallelepiped region_;
};

}  // namespace ftprnt
