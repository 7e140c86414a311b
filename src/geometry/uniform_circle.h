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

    // The element is read as Circle reads it; the radius must also be finite.
    using Parameters = Circle::Parameters;
    static const config::Schema<Parameters>& schema();

    explicit UniformCircle(const Parameters& parameters);
    explicit UniformCircle(const xml::Querier& element) : UniformCircle(schema().bind(element)) {}
    UniformCircle(const nmrc::Vector<2>& center, double radius) : UniformCircle(Parameters{center, radius}) {}

    const Circle& region() const { return region_; }
    void sample(nmrc::Vector<2>& point) const override;

private:
    Circle region_;
    UniformRectifiedRectangle square_;
};

}  // namespace ftprnt
