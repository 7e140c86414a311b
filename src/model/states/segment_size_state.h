#pragma once
#include "model/state.h"
#include "numerics/normal.h"

namespace ostrel {

// A Gaussian estimate of a segment's size holding at `time`. Key
// "segment_size_state"; written and read as ("time", "normal"), so contact
// files written by the frame writer can be read back.
class SegmentSizeState : public state::StateTemplate<SegmentSizeState> {
public:
    static const char* key() { return "segment_size_state"; }

    SegmentSizeState(double time, const nmrc::Normal<1>& estimate) : time(time), estimate(estimate) {}
    explicit SegmentSizeState(const xml::Querier& querier)
        : time(querier.read<double>("time")), estimate(nmrc::Normal<1>::read(querier.tag("normal"))) {}
    void write(xml::OutStream& out) const override {
        out.tag(key()).element("time", time);
        estimate.write(out);
        out.end_tag();
    }

    const double time;
    const nmrc::Normal<1> estimate;
};

}  // namespace ostrel
