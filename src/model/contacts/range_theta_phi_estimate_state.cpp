#include "model/contacts/range_theta_phi_estimate_state.h"

#include "model/contacts/angles.h"
#include "model/states/state_schemas.h"
#include "numerics/value_forms.h"

namespace state {

namespace {
// With D = diag(1, f, f): mean' = D mean, covariance' = D C D.
nmrc::Normal<3> scale_angles(nmrc::Normal<3> n, double f) {
    const double scale[3] = {1.0, f, f};
    for (int i = 0; i < 3; ++i) {
        n.mean[i] *= scale[i];
        for (int j = i; j < 3; ++j) n.covariance(i, j) *= scale[i] * scale[j];
    }
    return n;
}
}  // namespace

const config::Schema<RangeThetaPhiEstimateState::Form>& RangeThetaPhiEstimateState::schema() {
    static const auto schema =
        config::Schema<Form>(key(), "a Gaussian estimate of range, bearing and elevation from a sensor position")
            .required(&Form::time, "time", "the time the estimate holds at", config::finite_text())
            .nested(&Form::estimate, finite_normal_schema<3>(),
                    "the estimate of (range, theta, phi), angles in degrees, every number finite")
            .required(&Form::sensor_position, "sensor_position", "where the sensor stands", config::finite_text());
    return schema;
}

RangeThetaPhiEstimateState::RangeThetaPhiEstimateState(const Form& form)
    : RangeThetaPhiEstimateState(form.sensor_position, scale_angles(form.estimate, radians_per_degree),
                                 form.time) {}

void RangeThetaPhiEstimateState::write(xml::OutStream& out) const {
    out.tag(key()).element("time", time);
    scale_angles(estimate, degrees_per_radian).write(out);
    out.element("sensor_position", sensor_position);
    out.end_tag();
}

}  // namespace state
