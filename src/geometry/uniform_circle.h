#pragma once
#include "geometry/ball.h"
#include "geometry/uniform_footprint.h"
#include "geometry/uniform_rectified_rectangle.h"

namespace ftprnt {

// Uniform points of a disc by rejection: draws from the bounding square
// [center - radius, center + radius]^2 until the disc contains the point
// (accepted with probability pi/4 per round).
class UniformCircle : public UniformFootprint<2> {
public:
    static const char* key() { return "circle"; }

    // Reads the element as Circle does; the radius must also be finite.
    explicit UniformCircle(const xml::Querier& element);
    UniformCircle(const nmrc::Vector<2>& center, double radius);

    const Circle& region() const { return region_; }
    void sample(nmrc::Vector<2>& point) const override;

private:
    Circle region_;
    UniformRectifiedRectangle square_;
};

}  // namespace ftprnt
