#pragma once
#include "config/schema.h"
#include "geometry/footprint.h"
#include "numerics/matrix.h"

namespace ftprnt {

// The closed parallelogram {p + s v0 + t v1 : s, t in [0, 1]}.
class Parallelogram : public FootprintTemplate<2, Parallelogram> {
public:
    static const char* key() { return "parallelogram"; }

    // The corner "p" and the edges "v0", "v1".
    struct Parameters {
        nmrc::Vector<2> p;
        nmrc::Vector<2> v0;
        nmrc::Vector<2> v1;
    };
    static const config::Schema<Parameters>& schema();

    explicit Parallelogram(const Parameters& parameters);
    explicit Parallelogram(const xml::Querier& element) : Parallelogram(schema().bind(element)) {}
    Parallelogram(const nmrc::Vector<2>& p, const nmrc::Vector<2>& v0, const nmrc::Vector<2>& v1)
        : Parallelogram(Parameters{p, v0, v1}) {}

    const nmrc::Vector<2>& p() const { return p_; }
    const nmrc::Vector<2>& v0() const { return v0_; }
    const nmrc::Vector<2>& v1() const { return v1_; }

    // (s, t) = [v0 v1]^-1 (x - p): the point's coordinates along the edges.
    nmrc::Vector<2> edge_coordinates(const nmrc::Vector<2>& point) const;

    bool contains(const nmrc::Vector<2>& point) const override;
    void write(xml::OutStream& out) const override;

private:
    nmrc::Vector<2> p_;
    nmrc::Vector<2> v0_;
    nmrc::Vector<2> v1_;
    nmrc::Matrix<2, 2> inverse_;
};

}  // namespace ftprnt
