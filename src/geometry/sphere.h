#pragma once
#include "geometry/footprint.h"

namespace ftprnt {

// The closed ball of points within radius of center.
class Sphere : public FootprintTemplate<3, Sphere> {
public:
    static const char* key() { return "sphere"; }

    // Reads "center" and "radius".
    explicit Sphere(const xml::Querier& element);
    Sphere(const nmrc::Vector<3>& center, double radius);

    const nmrc::Vector<3>& center() const { return center_; }
    double radius() const { return radius_; }

    bool contains(const nmrc::Vector<3>& point) const override;
    void write(xml::OutStream& out) const override;

private:
    void define(const nmrc::Vector<3>& center, double radius);

    nmrc::Vector<3> center_;
    double radius_ = 0.0;
    double radius_squared_ = 0.0;
};

}  // namespace ftprnt
