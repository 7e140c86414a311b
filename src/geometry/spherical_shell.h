#pragma once
#include "config/schema.h"
#include "geometry/footprint.h"

namespace ftprnt {

// The open shell of points strictly between inner_radius and outer_radius
// from center; points at exactly either radius are outside.
class SphericalShell : public FootprintTemplate<3, SphericalShell> {
public:
    static const char* key() { return "spherical_shell"; }

    struct Parameters {
        nmrc::Vector<3> center;
        double inner_radius = 0.0;
        double outer_radius = 0.0;
    };
    static const config::Schema<Parameters>& schema();

    explicit SphericalShell(const Parameters& parameters);
    explicit SphericalShell(const xml::Querier& element) : SphericalShell(schema().bind(element)) {}
    SphericalShell(const nmrc::Vector<3>& center, double inner_radius, double outer_radius)
        : SphericalShell(Parameters{center, inner_radius, outer_radius}) {}

    const nmrc::Vector<3>& center() const { return center_; }
    double inner_radius() const { return inner_radius_; }
    double outer_radius() const { return outer_radius_; }

    bool contains(const nmrc::Vector<3>& point) const override;
    void write(xml::OutStream& out) const override;

private:
    nmrc::Vector<3> center_;
    double inner_radius_ = 0.0;
    double outer_radius_ = 0.0;
    double inner_squared_ = 0.0;
    double outer_squared_ = 0.0;
};

}  // namespace ftprnt
