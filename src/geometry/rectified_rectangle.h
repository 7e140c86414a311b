#pragma once
#include "geometry/footprint.h"

namespace ftprnt {

// An axis-aligned rectangle [min.x, max.x] x [min.y, max.y] with positive
// width and height, defined by two opposite corners.
class RectifiedRectangle : public FootprintTemplate<2, RectifiedRectangle> {
public:
    static const char* key() { return "rectified_rectangle"; }

    // Reads the opposite corners "p0" and "p2". The element this class writes
    // ("min", "max") is accepted as well, so that a written rectangle can be
    // read back.
    explicit RectifiedRectangle(const xml::Querier& element);
    RectifiedRectangle(const nmrc::Vector<2>& corner_a, const nmrc::Vector<2>& corner_b);

    const nmrc::Vector<2>& min() const { return min_; }
    const nmrc::Vector<2>& max() const { return max_; }

    bool contains(const nmrc::Vector<2>& point) const override;
    void write(xml::OutStream& out) const override;

private:
    void define(const nmrc::Vector<2>& a, const nmrc::Vector<2>& b);

    nmrc::Vector<2> min_;
    nmrc::Vector<2> max_;
};

}  // namespace ftprnt
