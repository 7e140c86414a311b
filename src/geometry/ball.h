#pragma once
#include "config/schema.h"
#include "geometry/footprint.h"

namespace ftprnt {

// The closed ball of points within radius of center: the disc "circle" in
// 2-D, the "sphere" in 3-D. A radius of 0 leaves only the center; +inf
// covers every finite point.
template <int N>
class Ball : public FootprintTemplate<N, Ball<N>> {
    static_assert(N == 2 || N == 3, "a ball footprint is 2-D (circle) or 3-D (sphere)");

public:
    static const char* key() { return N == 2 ? "circle" : "sphere"; }
    // The name used in messages.
    static const char* name() { return N == 2 ? "Circle" : "Sphere"; }

    struct Parameters {
        nmrc::Vector<N> center;
        double radius = 0.0;
    };
    static const config::Schema<Parameters>& schema();

    explicit Ball(const Parameters& parameters);
    explicit Ball(const xml::Querier& element) : Ball(schema().bind(element)) {}
    Ball(const nmrc::Vector<N>& center, double radius) : Ball(Parameters{center, radius}) {}

    const nmrc::Vector<N>& center() const { return center_; }
    double radius() const { return radius_; }

    bool contains(const nmrc::Vector<N>& point) const override;
    void write(xml::OutStream& out) const override;

private:
    nmrc::Vector<N> center_;
    double radius_ = 0.0;
    double radius_squared_ = 0.0;
};

using Circle = Ball<2>;
using Sphere = Ball<3>;

extern template class Ball<2>;
extern template class Ball<3>;

}  // namespace ftprnt
