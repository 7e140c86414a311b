#pragma once
#include "config/schema.h"
#include "geometry/footprint.h"

namespace ftprnt {

// An axis-aligned rectangle [min.x, max.x] x [min.y, max.y] with positive
// width and height, defined by two opposite corners.
class RectifiedRectangle : public FootprintTemplate<2, RectifiedRectangle> {
public:
    static const char* key() { return "rectified_rectangle"; }

    // The opposite corners "p0" and "p2". The element this class writes
    // ("min", "max") is accepted as well, so that a written rectangle can be
    // read back.
    struct Parameters {
        nmrc::Vector<2> p0;
        nmrc::Vector<2> p2;
    };
    static const config::Schema<Parameters>& schema();

    explicit RectifiedRectangle(const Parameters& parameters);
    explicit RectifiedRectangle(const xml::Querier& element) : RectifiedRectangle(schema().bind(element)) {}
    RectifiedRectangle(const nmrc::Vector<2>& corner_a, const nmrc::Vector<2>& corner_b)
        : RectifiedRectangle(Parameters{corner_a, corner_b}) {}

    const nmrc::Vector<2>& min() const { return min_; }
    const nmrc::Vector<2>& max() const { return max_; }

    bool contains(const nmrc::Vector<2>& point) const override;
    void write(xml::OutStream& out) const override;

private:
    nmrc::Vector<2> min_;
    nmrc::Vector<2> max_;
};

// The lower and upper corners of the box spanned by two opposite corners,
// coordinate by coordinate.
nmrc::Vector<2> lower_corner(const nmrc::Vector<2>& a, const nmrc::Vector<2>& b);
nmrc::Vector<2> upper_corner(const nmrc::Vector<2>& a, const nmrc::Vector<2>& b);

}  // namespace ftprnt
