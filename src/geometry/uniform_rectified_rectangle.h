#pragma once
#include "geometry/rectified_rectangle.h"
#include "geometry/uniform_footprint.h"
#include "numerics/random.h"

namespace ftprnt {

// Uniform points of a finite axis-aligned rectangle, one generator per
// coordinate.
class UniformRectifiedRectangle : public UniformFootprint<2> {
public:
    static const char* key() { return "rectified_rectangle"; }

    // The element is read as RectifiedRectangle reads it (positive width
    // and height); the corners must also be finite.
    using Parameters = RectifiedRectangle::Parameters;
    static const config::Schema<Parameters>& schema();

    explicit UniformRectifiedRectangle(const Parameters& parameters);
    explicit UniformRectifiedRectangle(const xml::Querier& element)
        : UniformRectifiedRectangle(schema().bind(element)) {}
    // The box [min, max]; min <= max coordinate by coordinate, so a zero
    // extent is allowed and draws that coordinate constantly (the bounding
    // box of a circle of radius 0).
    UniformRectifiedRectangle(const nmrc::Vector<2>& min, const nmrc::Vector<2>& max);

    const nmrc::Vector<2>& min() const { return min_; }
    const nmrc::Vector<2>& max() const { return max_; }
    void sample(nmrc::Vector<2>& point) const override;

private:
    nmrc::Vector<2> min_;
    nmrc::Vector<2> max_;
    // Declared x first: x's generator takes its seed first.
    mutable nmrc::UniformGenerator x_generator_;
    mutable nmrc::UniformGenerator y_generator_;
};

}  // namespace ftprnt
