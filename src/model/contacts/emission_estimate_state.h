#pragma once
#include "config/schema.h"
#include "model/state.h"
#include "model/states/state_schemas.h"
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
    // What the element holds.
    struct Form {
        double time = 0.0;
        nmrc::Normal<1> estimate;
    };
    static const config::Schema<Form>& schema() {
        static const auto schema =
            config::Schema<Form>(key(), "a Gaussian estimate of an emission at a time")
                .required(&Form::time, "time", "the time the estimate holds at", config::finite_text())
                .nested(&Form::estimate, finite_normal_schema<1>(), "the estimate, every number finite");
        return schema;
    }

    explicit EmissionEstimateState(const Form& form) : estimate(form.estimate), time(form.time) {}
    explicit EmissionEstimateState(const xml::Querier& querier) : EmissionEstimateState(schema().bind(querier)) {}
    void write(xml::OutStream& out) const override {
        out.tag(key()).element("time", time);
        estimate.write(out);
        out.end_tag();
    }

    const nmrc::Normal<1> estimate;
    const double time;
};

}  // namespace state
