#include "model/contacts/theta_phi_estimate_state.h"

#include "model/contacts/angles.h"
#include "model/states/sigma_check.h"
#include "numerics/value_forms.h"

namespace state {

namespace {
nmrc::Vector<2> squared(const nmrc::Vector<2>& v) { return {v[0] * v[0], v[1] * v[1]}; }

// The one "open_interval" element inside "range_interval".
pntset::OpenInterval read_range_interval(const xml::Querier& range_interval) {
    return pntset::OpenInterval(range_interval.tag());
}
}  // namespace

ThetaPhiEstimateState::ThetaPhiEstimateState(const nmrc::Vector<3>& sensor_position, double time,
                                             const nmrc::Vector<2>& mean,
                                             const nmrc::Vector<2>& sigmas,
                                             const pntset::OpenInterval& range_interval)
    : sensor_position(sensor_position),
      time(time),
      mean(mean),
      sigmas(sigmas),
      variances(squared(sigmas)),
      range_interval(range_interval) {
    check_sigmas(sigmas.begin(), sigmas.end(), key());
}

const config::Schema<ThetaPhiEstimateState::Form>& ThetaPhiEstimateState::schema() {
    static const auto schema =
        config::Schema<Form>(key(), "an angle-only measurement from a sensor position, with admissible ranges")
            .required(&Form::time, "time", "the time of the measurement", config::finite_text())
            .required(&Form::mean, "mean", "bearing theta and elevation phi (degrees)", config::finite_text())
            .required(&Form::sigmas, "sigmas", "the standard deviations of theta and phi (degrees)",
                      config::finite_text(),
                      config::non_negative().says("sigma is negative in {key}: sigma = {value}"))
            .required(&Form::sensor_position, "sensor_position", "where the sensor stands", config::finite_text())
            .product(&Form::range_interval, "range_interval", "an element holding one open_interval",
                     "the open interval of admissible ranges (either bound may be inf)", &read_range_interval);
    return schema;
}

ThetaPhiEstimateState::ThetaPhiEstimateState(const Form& form)
    : ThetaPhiEstimateState(form.sensor_position, form.time, form.mean * radians_per_degree,
                            form.sigmas * radians_per_degree, *form.range_interval) {}

void ThetaPhiEstimateState::write(xml::OutStream& out) const {
    out.tag(key());
    out.element("time", time);
    out.element("mean", mean * degrees_per_radian);
    out.element("sigmas", sigmas * degrees_per_radian);
    out.element("sensor_position", sensor_position);
    out.tag("range_interval");
    range_interval.write(out);
    out.end_tag();
    out.end_tag();
}

}  // namespace state
