#pragma once
#include "model/state.h"
#include "numerics/normal.h"

namespace ostrel {

// A Gaussian estimate of a segment's size holding at `time`. Key
// "segment_size_state"; written ("time", "normal"), not read.
class SegmentSizeState : public state::StateTemplate<SegmentSizeState> {
public:
    static const char* key() { return "segment_size_state"; }

    SegmentSizeState(double time, const nmrc::Normal<1>& estimate) : time(time), estimate(estimate) {}
    void write(xml::OutStream& out) const override {
        out.tag(key()).element("time", time);
        estimate.write(out);
        out.end_tag();
    }

    const double time;
    const nmrc::Normal<1> estimate;
};

}  // namespace ostrel
