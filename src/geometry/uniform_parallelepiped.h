#pragma once
#include "geometry/parallelepiped.h"
#include "geometry/uniform_footprint.h"

namespace ftprnt {

// Uniform points of a parallelepiped, drawn from the program-wide shared
// generator.
class UniformParallelepiped : public UniformFootprint<3> {
public:
    static const char* key() { return "parallelepiped"; }

    // Reads the element as Parallelepiped does.
    explicit UniformParallelepiped(const xml::Querier& element);
    UniformParallelepiped(const nmrc::Vector<3>& p, const nmrc::Vector<3>& v0,
                          const nmrc::Vector<3>& v1, const nmrc::Vector<3>& v2);

    const Parallelepiped& region() const { return region_; }
    void sample(nmrc::Vector<3>& point) const override;

private:
    Parallelepiped region_;
};

}  // namespace ftprnt
