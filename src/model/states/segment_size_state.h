#pragma once
#include "config/schema.h"
#include "model/state.h"
#include "model/states/state_schemas.h"
#include "numerics/normal.h"

namespace ostrel {

// A Gaussian estimate of a segment's size holding at `time`. Key
// "segment_size_state"; written and read as ("time", "normal"), so contact
// files written by the frame writer can be read back.
class SegmentSizeState : public state::StateTemplate<SegmentSizeState> {
public:
    static const char* key() { return "segment_size_state"; }

    SegmentSizeState(double time, const nmrc::Normal<1>& estimate) : time(time), estimate(estimate) {}
    // What the element holds; its numbers are read as written.
    struct Form {
        double time = 0.0;
        nmrc::Normal<1> estimate;
    };
    static const config::Schema<Form>& schema() {
        static const auto schema = config::Schema<Form>(key(), "a Gaussian estimate of a segment's size")
                                       .required(&Form::time, "time", "the time the estimate holds at")
                                       .nested(&Form::estimate, state::normal_schema<1>(), "the size estimate");
        return schema;
    }

    explicit SegmentSizeState(const Form& form) : time(form.time), estimate(form.estimate) {}
    explicit SegmentSizeState(const xml::Querier& querier) : SegmentSizeState(schema().bind(querier)) {}
    void write(xml::OutStream& out) const override {
        out.tag(key()).element("time", time);
        estimate.write(out);
        out.end_tag();
    }

    const double time;
    const nmrc::Normal<1> estimate;
};

}  // namespace ostrel
