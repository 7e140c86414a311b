#pragma once
#include "config/schema.h"
#include "model/state.h"
#include "numerics/normal.h"
#include "numerics/vector.h"

namespace state {

// A Gaussian estimate of (range, theta, phi) from a sensor position, holding
// at `time`. Key "range_theta_phi_estimate_state"; children "time",
// "normal", "sensor_position". Angles are radians in memory, degrees in XML:
// the angle components of the mean, and the covariance entries in their rows
// and columns, are converted on reading and writing.
class RangeThetaPhiEstimateState : public StateTemplate<RangeThetaPhiEstimateState> {
public:
    static const char* key() { return "range_theta_phi_estimate_state"; }

    RangeThetaPhiEstimateState(const nmrc::Vector<3>& sensor_position,
                               const nmrc::Normal<3>& estimate, double time)
        : sensor_position(sensor_position), estimate(estimate), time(time) {}
    // What the element holds, angles in degrees as written.
    struct Form {
        double time = 0.0;
        nmrc::Normal<3> estimate;
        nmrc::Vector<3> sensor_position;
    };
    static const config::Schema<Form>& schema();

    explicit RangeThetaPhiEstimateState(const Form& form);
    explicit RangeThetaPhiEstimateState(const xml::Querier& querier)
        : RangeThetaPhiEstimateState(schema().bind(querier)) {}
    void write(xml::OutStream& out) const override;

    const nmrc::Vector<3> sensor_position;
    const nmrc::Normal<3> estimate;  // over (range, theta, phi)
    const double time;
};

}  // namespace state
