#include "model/contacts/spherical_contact.h"

#include "model/contacts/angles.h"
#include "model/states/sigma_check.h"
#include "numerics/value_forms.h"

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

const config::Schema<SphericalContact::Form>& SphericalContact::schema() {
    static const auto schema =
        config::Schema<Form>(key(), "a spherical (radar) measurement of range, bearing and elevation")
            .required(&Form::time, "time", "the time of the measurement", config::finite_text())
            .required(&Form::sensor_position, "sensor_position", "where the sensor stands", config::finite_text())
            .required(&Form::r_theta_phi, "r_theta_phi", "range, bearing theta and elevation phi (degrees)",
                      config::finite_text())
            .required(&Form::sigmas, "sigmas", "the standard deviations of range, theta and phi (degrees)",
                      config::finite_text(),
                      config::non_negative().says("sigma is negative in {key}: sigma = {value}"));
    return schema;
}

SphericalContact::SphericalContact(const Form& form)
    : SphericalContact(form.sensor_position, scale_angles(form.r_theta_phi, state::radians_per_degree),
                       scale_angles(form.sigmas, state::radians_per_degree), form.time) {}

void SphericalContact::write(xml::OutStream& out) const {
    out.tag(key());
    out.element("time", time).element("sensor_position", sensor_position);
    out.element("r_theta_phi", scale_angles(r_theta_phi, state::degrees_per_radian));
    out.element("sigmas", scale_angles(sigmas, state::degrees_per_radian));
    out.end_tag();
}

}  // namespace ostrel
