#pragma once
#include "geometry/footprint.h"

namespace ftprnt {

// The closed disc of points within radius of center. A radius of 0 leaves
// only the center; +inf covers every finite point.
class Circle : public FootprintTemplate<2, Circle> {
public:
    static const char* key() { return "circle"; }

    // Reads "center" and "radius".
    explicit Circle(const xml::Querier& element);
    Circle(const nmrc::Vector<2>& center, double radius);

    const nmrc::Vector<2>& center() const { return center_; }
    double radius() const { return radius_; }

    bool contains(const nmrc::Vector<2>& point) const override;
    void write(xml::OutStream& out) const override;

private:
    void define(const nmrc::Vector<2>& center, double radius);

    nmrc::Vector<2> center_;
    double radius_ = 0.0;
    double radius_squared_ = 0.0;
};

}  // namespace ftprnt
