#pragma once
#include "config/schema.h"
#include "model/state.h"
#include "model/states/state_schemas.h"
#include "numerics/normal.h"

namespace fusion {

// A Gaussian estimate of a track's radar emission frequency at `time`. Key
// "radar_emission_estimate_state"; children "time", "normal".
class RadarEmissionEstimateState : public state::StateTemplate<RadarEmissionEstimateState> {
public:
    static const char* key() { return "radar_emission_estimate_state"; }

    RadarEmissionEstimateState(double time, const nmrc::Normal<1>& frequency)
        : time(time), frequency(frequency) {}
    // What the element holds.
    struct Form {
        double time = 0.0;
        nmrc::Normal<1> frequency;
    };
    static const config::Schema<Form>& schema() {
        static const auto schema =
            config::Schema<Form>(key(), "a Gaussian estimate of a radar emission frequency at a time")
                .required(&Form::time, "time", "the time the estimate holds at", config::finite_text())
                .nested(&Form::frequency, state::finite_normal_schema<1>(),
                        "the estimate of the frequency, every number finite");
        return schema;
    }

    explicit RadarEmissionEstimateState(const Form& form) : time(form.time), frequency(form.frequency) {}
    explicit RadarEmissionEstimateState(const xml::Querier& querier)
        : RadarEmissionEstimateState(schema().bind(querier)) {}
    void write(xml::OutStream& out) const override {
        out.tag(key()).element("time", time);
        frequency.write(out);
        out.end_tag();
    }

    const double time;
    const nmrc::Normal<1> frequency;
};

}  // namespace fusion
