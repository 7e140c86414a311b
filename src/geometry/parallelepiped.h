#pragma once
#include "config/schema.h"
#include "geometry/footprint.h"
#include "numerics/matrix.h"

namespace ftprnt {

// The closed parallelepiped {p + a v0 + b v1 + c v2 : a, b, c in [0, 1]}.
class Parallelepiped : public FootprintTemplate<3, Parallelepiped> {
public:
    static const char* key() { return "parallelepiped"; }

    // The corner "p" and the edges "v0", "v1", "v2".
    struct Parameters {
        nmrc::Vector<3> p;
        nmrc::Vector<3> v0;
        nmrc::Vector<3> v1;
        nmrc::Vector<3> v2;
    };
    static const config::Schema<Parameters>& schema();

    explicit Parallelepiped(const Parameters& parameters);
    explicit Parallelepiped(const xml::Querier& element) : Parallelepiped(schema().bind(element)) {}
    Parallelepiped(const nmrc::Vector<3>& p, const nmrc::Vector<3>& v0, const nmrc::Vector<3>& v1,
                   const nmrc::Vector<3>& v2)
        : Parallelepiped(Parameters{p, v0, v1, v2}) {}

    const nmrc::Vector<3>& p() const { return p_; }
    const nmrc::Vector<3>& v0() const { return v0_; }
    const nmrc::Vector<3>& v1() const { return v1_; }
    const nmrc::Vector<3>& v2() const { return v2_; }

    // c = [v0 v1 v2]^-1 (x - p): the point's coordinates along the edges.
    nmrc::Vector<3> edge_coordinates(const nmrc::Vector<3>& point) const;

    bool contains(const nmrc::Vector<3>& point) const override;
    void write(xml::OutStream& out) const override;

private:
    nmrc::Vector<3> p_;
    nmrc::Vector<3> v0_;
    nmrc::Vector<3> v1_;
    nmrc::Vector<3> v2_;
    nmrc::Matrix<3, 3> inverse_;
};

}  // namespace ftprnt
