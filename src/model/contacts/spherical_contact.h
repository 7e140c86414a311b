#pragma once
#include "config/schema.h"
#include "model/state.h"
#include "numerics/vector.h"

namespace ostrel {

// A spherical (radar) measurement of range, bearing theta and elevation phi
// from a sensor position. Keys "spherical_contact" and "radar_contact" (one
// creator); written as "radar_contact". Angles and angle sigmas are radians
// in memory, degrees in XML.
class SphericalContact : public state::StateTemplate<SphericalContact> {
public:
    static const char* key() { return "radar_contact"; }
    static const char* alias_key() { return "spherical_contact"; }

    // Fails when a sigma is negative.
    SphericalContact(const nmrc::Vector<3>& sensor_position, const nmrc::Vector<3>& r_theta_phi,
                     const nmrc::Vector<3>& sigmas, double time);
    // What the element holds, angles in degrees as written.
    struct Form {
        double time = 0.0;
        nmrc::Vector<3> sensor_position;
        nmrc::Vector<3> r_theta_phi;
        nmrc::Vector<3> sigmas;
    };
    static const config::Schema<Form>& schema();

    explicit SphericalContact(const Form& form);
    explicit SphericalContact(const xml::Querier& querier) : SphericalContact(schema().bind(querier)) {}
    void write(xml::OutStream& out) const override;

    const nmrc::Vector<3> sensor_position;
    const nmrc::Vector<3> r_theta_phi;  // (range, theta, phi)
    const nmrc::Vector<3> sigmas;       // (sigma range, sigma theta, sigma phi)
    const double time;
};

}  // namespace ostrel
