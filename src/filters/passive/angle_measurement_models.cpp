#include "filters/passive/angle_measurement_models.h"

#include "filters/passive/spherical_geometry.h"
#include "model/contacts/esm_contact.h"
#include "model/contacts/range_theta_phi_estimate_state.h"
#include "model/contacts/spherical_contact.h"
#include "model/contacts/theta_phi_estimate_state.h"

namespace ostrel {

namespace {

// pi^2 / 12: the variance of an elevation uniform over a half turn.
constexpr double uniform_half_turn_variance = 0.8224670334241132;

nmrc::SymmetricMatrix<3> squared_diagonal(const nmrc::Vector<3>& sigmas) {
    return nmrc::SymmetricMatrix<3>::diagonal(
        {sigmas[0] * sigmas[0], sigmas[1] * sigmas[1], sigmas[2] * sigmas[2]});
}

// (max - min)^2 / 12: the variance of a range uniform over [min, max].
double uniform_variance(double width) { return width * width / 12.0; }

double esm_mid_range(const EsmContact& c) { return 0.5 * (c.min_range + c.max_range); }

}  // namespace

AngleMeasurement<3> RadarMeasurementModel::measure(const state::CompositeState& contact) {
    const auto& c = contact.get<SphericalContact>();
    return {c.r_theta_phi, squared_diagonal(c.sigmas), c.sensor_position, c.time};
}

nmrc::Normal<3> RadarMeasurementModel::converted_position(const state::CompositeState& contact) {
    const auto& c = contact.get<SphericalContact>();
    return ostrel::converted_position(c.sensor_position, c.r_theta_phi, squared_diagonal(c.sigmas));
}

AngleMeasurement<3> RangeThetaPhiMeasurementModel::measure(const state::CompositeState& contact) {
    const auto& c = contact.get<state::RangeThetaPhiEstimateState>();
    return {c.estimate.mean, c.estimate.covariance, c.sensor_position, c.time};
}

nmrc::Normal<3> RangeThetaPhiMeasurementModel::converted_position(
    const state::CompositeState& contact) {
    const auto& c = contact.get<state::RangeThetaPhiEstimateState>();
    return ostrel::converted_position(c.sensor_position, c.estimate.mean, c.estimate.covariance);
}

AngleMeasurement<2> ThetaPhiMeasurementModel::measure(const state::CompositeState& contact) {
    const auto& c = contact.get<state::ThetaPhiEstimateState>();
    // R = diag(sigma_theta^2, sigma_phi^2)
    return {c.mean, nmrc::SymmetricMatrix<2>::diagonal(c.variances), c.sensor_position, c.time};
}

nmrc::Normal<3> ThetaPhiMeasurementModel::converted_position(const state::CompositeState& contact) {
    const auto& c = contact.get<state::ThetaPhiEstimateState>();
    const nmrc::Vector<3> rtp{c.range_interval.midpoint(), c.mean[0], c.mean[1]};
    const nmrc::Vector<3> variances{uniform_variance(c.range_interval.measure()), c.variances[0],
                                    c.variances[1]};
    return ostrel::converted_position(c.sensor_position, rtp,
                                      nmrc::SymmetricMatrix<3>::diagonal(variances));
}

AngleMeasurement<2> EsmMeasurementModel::measure(const state::CompositeState& contact) {
    const auto& c = contact.get<EsmContact>();
    // z = (mid range, bearing); R = diag((max - min)^2 / 12, sigma_theta^2)
    const nmrc::Vector<2> variances{uniform_variance(c.max_range - c.min_range),
                                    c.bearing_sigma * c.bearing_sigma};
    return {{esm_mid_range(c), c.bearing}, nmrc::SymmetricMatrix<2>::diagonal(variances),
            c.sensor_position, c.time};
}

nmrc::Normal<3> EsmMeasurementModel::converted_position(const state::CompositeState& contact) {
    const auto& c = contact.get<EsmContact>();
    const nmrc::Vector<3> rtp{esm_mid_range(c), c.bearing, 0.0};
    const nmrc::Vector<3> variances{uniform_variance(c.max_range - c.min_range),
                                    c.bearing_sigma * c.bearing_sigma, uniform_half_turn_variance};
    return ostrel::converted_position(c.sensor_position, rtp,
                                      nmrc::SymmetricMatrix<3>::diagonal(variances));
}

}  // namespace ostrel
