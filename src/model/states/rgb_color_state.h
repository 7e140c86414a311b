#pragma once
#include "model/state.h"
#include "numerics/normal.h"

namespace ostrel {

// A Gaussian estimate of a segment's colour (red, green, blue) holding at
// `time`. Key "rgb_color_state"; written ("time", "normal"), not read.
class RgbColorState : public state::StateTemplate<RgbColorState> {
public:
    static const char* key() { return "rgb_color_state"; }

    RgbColorState(double time, const nmrc::Normal<3>& estimate) : time(time), estimate(estimate) {}
    void write(xml::OutStream& out) const override {
        out.tag(key()).element("time", time);
        estimate.write(out);
        out.end_tag();
    }

    const double time;
    const nmrc::Normal<3> estimate;
};

}  // namespace ostrel
