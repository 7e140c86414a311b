#include "model/contacts/theta_phi_estimate_state.h"

#include "model/contacts/angles.h"
#include "model/states/sigma_check.h"

namespace state {

namespace {
nmrc::Vector<2> squared(const nmrc::Vector<2>& v) { return {v[0] * v[0], v[1] * v[1]}; }
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

ThetaPhiEstimateState::ThetaPhiEstimateState(const xml::Querier& querier)
    : ThetaPhiEstimateState(querier.read_finite<nmrc::Vector<3>>("sensor_position"),
                            querier.read_finite<double>("time"),
                            querier.read_finite<nmrc::Vector<2>>("mean") * radians_per_degree,
                            querier.read_finite<nmrc::Vector<2>>("sigmas") * radians_per_degree,
                            pntset::OpenInterval(querier.tag("range_interval").tag())) {}

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
