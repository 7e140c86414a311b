#include "model/contacts/range_theta_phi_estimate_state.h"

#include "model/contacts/angles.h"
#include "model/states/finite_normal.h"

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

RangeThetaPhiEstimateState::RangeThetaPhiEstimateState(const xml::Querier& querier)
    : RangeThetaPhiEstimateState(
          querier.read_finite<nmrc::Vector<3>>("sensor_position"),
          scale_angles(read_finite_normal<3>(querier), radians_per_degree),
          querier.read_finite<double>("time")) {}

void RangeThetaPhiEstimateState::write(xml::OutStream& out) const {
    out.tag(key()).element("time", time);
    scale_angles(estimate, degrees_per_radian).write(out);
    out.element("sensor_position", sensor_position);
    out.end_tag();
}

}  // namespace state
