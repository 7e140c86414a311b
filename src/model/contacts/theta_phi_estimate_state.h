#pragma once
#include <optional>

#include "config/schema.h"
#include "model/contacts/open_interval.h"
#include "model/state.h"
#include "numerics/vector.h"

namespace state {

// An angle-only measurement (theta, phi) from a sensor position, with the
// open interval of admissible ranges. Key "theta_phi_estimate_state".
// Angles and sigmas are radians in memory, degrees in XML.
class ThetaPhiEstimateState : public StateTemplate<ThetaPhiEstimateState> {
public:
    static const char* key() { return "theta_phi_estimate_state"; }

    // Fails when a sigma is negative.
    ThetaPhiEstimateState(const nmrc::Vector<3>& sensor_position, double time,
                          const nmrc::Vector<2>& mean, const nmrc::Vector<2>& sigmas,
                          const pntset::OpenInterval& range_interval);
    // What the element holds, angles in degrees as written.
    struct Form {
        double time = 0.0;
        nmrc::Vector<2> mean;
        nmrc::Vector<2> sigmas;
        nmrc::Vector<3> sensor_position;
        std::optional<pntset::OpenInterval> range_interval;
    };
    static const config::Schema<Form>& schema();

    explicit ThetaPhiEstimateState(const Form& form);
    explicit ThetaPhiEstimateState(const xml::Querier& querier) : ThetaPhiEstimateState(schema().bind(querier)) {}
    void write(xml::OutStream& out) const override;

    const nmrc::Vector<3> sensor_position;
    const double time;
    const nmrc::Vector<2> mean;       // (theta, phi)
    const nmrc::Vector<2> sigmas;     // (sigma theta, sigma phi)
    const nmrc::Vector<2> variances;  // sigmas squared
    const pntset::OpenInterval range_interval;
};

}  // namespace state
