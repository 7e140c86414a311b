#include "simulation/plotter_accessors.h"

#include <cmath>
#include <sstream>

#include "numerics/value_forms.h"

namespace pltr {

namespace {

nmrc::Matrix<2, 3> axes_matrix(const nmrc::Vector<3>& x_axis, const nmrc::Vector<3>& y_axis) {
    nmrc::Matrix<2, 3> a;
    for (int j = 0; j < 3; ++j) {
        a(0, j) = x_axis[j];
        a(1, j) = y_axis[j];
    }
    return a;
}

CartesianEstimate angle_only_estimate(const state::ThetaPhiEstimateState& s) {
    const pntset::OpenInterval& ranges = s.range_interval;
    if (!std::isfinite(ranges.lower) || !std::isfinite(ranges.upper)) {
        std::ostringstream message;
        message << "theta_phi_estimate plotter: the range interval is unbounded: lower = "
                << ranges.lower << ", upper = " << ranges.upper;
        throw util::Exception(message.str());
    }
    // sigma_r^2 = width^2 / 12, the variance of a uniform law over the interval
    const double width = ranges.measure();
    const nmrc::SymmetricMatrix<3> spread = nmrc::SymmetricMatrix<3>::diagonal(
        {width * width / 12.0, s.variances[0], s.variances[1]});
    return to_cartesian(s.sensor_position, {ranges.midpoint(), s.mean[0], s.mean[1]}, spread);
}

}  // namespace

const config::Schema<CopyAccessor::Parameters>& CopyAccessor::schema() {
    static const config::Schema<Parameters> schema("plotter_creator",
                                                   "copies a point or covariance of a state into a plotter state");
    return schema;
}

const config::Schema<Projection::Parameters>& Projection::schema() {
    using P = Parameters;
    static const auto schema =
        config::Schema<P>("plotter_projection", "projects a 3-D point or covariance onto the plane of two axes")
            .required(&P::x_axis, "x_axis", "the 3-D direction drawn as the plot's x axis", config::finite())
            .required(&P::y_axis, "y_axis", "the 3-D direction drawn as the plot's y axis", config::finite());
    return schema;
}

Projection::Projection(const Parameters& parameters)
    : axes_(axes_matrix(schema().validate(parameters).x_axis, parameters.y_axis)) {}

CartesianEstimate to_cartesian(const nmrc::Vector<3>& sensor_position,
                               const nmrc::Vector<3>& range_theta_phi,
                               const nmrc::SymmetricMatrix<3>& covariance) {
    const double r = range_theta_phi[0];
    const double st = std::sin(range_theta_phi[1]);
    const double ct = std::cos(range_theta_phi[1]);
    const double sf = std::sin(range_theta_phi[2]);
    const double cf = std::cos(range_theta_phi[2]);
    // p = s + r (sin t cos f, cos t cos f, sin f)
    const nmrc::Vector<3> direction{st * cf, ct * cf, sf};
    // J columns: dp/dr, dp/dt, dp/df
    const nmrc::Matrix<3, 3> j{st * cf, r * ct * cf, -r * st * sf,  //
                               ct * cf, -r * st * cf, -r * ct * sf,  //
                               sf, 0.0, r * cf};
    // C = J S J^T
    return {sensor_position + r * direction, nmrc::transform(j, covariance)};
}

nmrc::Vector<2> RangeThetaPhiEstimatePosition2dAccessor::point(const Source& s) const {
    return project(to_cartesian(s.sensor_position, s.estimate.mean, s.estimate.covariance).position);
}

nmrc::SymmetricMatrix<2> RangeThetaPhiEstimatePosition2dAccessor::covariance(const Source& s) const {
    return project(to_cartesian(s.sensor_position, s.estimate.mean, s.estimate.covariance).covariance);
}

nmrc::Vector<2> ThetaPhiEstimatePosition2dAccessor::point(const Source& s) const {
    return project(angle_only_estimate(s).position);
}

nmrc::SymmetricMatrix<2> ThetaPhiEstimatePosition2dAccessor::covariance(const Source& s) const {
    return project(angle_only_estimate(s).covariance);
}

}  // namespace pltr
