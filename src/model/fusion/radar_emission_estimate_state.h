#pragma once
#include "model/state.h"
#include "model/states/finite_normal.h"
#include "numerics/normal.h"

namespace fusion {

// A Gaussian estimate of a track's radar emission frequency at `time`. Key
// "radar_emission_estimate_state"; children "time", "normal".
class RadarEmissionEstimateState : public state::StateTemplate<RadarEmissionEstimateState> {
public:
    static const char* key() { return "radar_emission_estimate_state"; }

    RadarEmissionEstimateState(double time, const nmrc::Normal<1>& frequency)
        : time(time), frequency(frequency) {}
    explicit RadarEmissionEstimateState(const xml::Querier& querier)
        : time(querier.read_finite<double>("time")),
          frequency(state::read_finite_normal<1>(querier)) {}
    void write(xml::OutStream& out) const override {
        out.tag(key()).element("time", time);
        frequency.write(out);
        out.end_tag();
    }

    const double time;
    const nmrc::Normal<1> frequency;
};

}  // namespace fusion
