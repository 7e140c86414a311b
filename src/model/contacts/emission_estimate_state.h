#pragma once
#include "model/state.h"
#include "model/states/finite_normal.h"
#include "numerics/normal.h"

namespace state {

// A one-dimensional Gaussian estimate of an emission (a frequency, for
// instance) holding at `time`. Key "emission_estimate_state"; children
// "time", "normal".
class EmissionEstimateState : public StateTemplate<EmissionEstimateState> {
public:
    static const char* key() { return "emission_estimate_state"; }

    EmissionEstimateState(const nmrc::Normal<1>& estimate, double time)
        : estimate(estimate), time(time) {}
    explicit EmissionEstimateState(const xml::Querier& querier)
        : estimate(read_finite_normal<1>(querier)),
          time(querier.read_finite<double>("time")) {}
    void write(xml::OutStream& out) const override {
        out.tag(key()).element("time", time);
        estimate.write(out);
        out.end_tag();
    }

    const nmrc::Normal<1> estimate;
    const double time;
};

}  // namespace state
