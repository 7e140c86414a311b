#include "model/contacts/spherical_contact.h"

#include "model/contacts/angles.h"
#include "model/states/sigma_check.h"

namespace ostrel {

namespace {
// (range, angle, angle) scaled in its two angle components.
nmrc::Vector<3> scale_angles(nmrc::Vector<3> v, double factor) {
    v[1] *= factor;
    v[2] *= factor;
    return v;
}
}  // namespace

SphericalContact::SphericalContact(const nmrc::Vector<3>& sensor_position,
                                   const nmrc::Vector<3>& r_theta_phi,
                                   const nmrc::Vector<3>& sigmas, double time)
    : sensor_position(sensor_position), r_theta_phi(r_theta_phi), sigmas(sigmas), time(time) {
    state::check_sigmas(sigmas.begin(), sigmas.end(), key());
}

SphericalContact::SphericalContact(const xml::Querier& querier)
    : SphericalContact(
          querier.read_finite<nmrc::Vector<3>>("sensor_position"),
          scale_angles(querier.read_finite<nmrc::Vector<3>>("r_theta_phi"), state::radians_per_degree),
          scale_angles(querier.read_finite<nmrc::Vector<3>>("sigmas"), state::radians_per_degree),
          querier.read_finite<double>("time")) {}

void SphericalContact::write(xml::OutStream& out) const {
    out.tag(key());
    out.element("time", time).element("sensor_position", sensor_position);
    out.element("r_theta_phi", scale_angles(r_theta_phi, state::degrees_per_radian));
    out.element("sigmas", scale_angles(sigmas, state::degrees_per_radian));
    out.end_tag();
}

}  // namespace ostrel
