#pragma once
#include "config/schema.h"
#include "model/state.h"

namespace fusion {

// A measured radar emission: its carrier frequency at `time`. Key
// "radar_emission_state"; children "time", "frequency".
class RadarEmissionState : public state::StateTemplate<RadarEmissionState> {
public:
    static const char* key() { return "radar_emission_state"; }

    RadarEmissionState(double time, double frequency) : time(time), frequency(frequency) {}
    // What the element holds.
    struct Form {
        double time = 0.0;
        double frequency = 0.0;
    };
    static const config::Schema<Form>& schema() {
        static const auto schema =
            config::Schema<Form>(key(), "a measured radar emission: its carrier frequency at a time")
                .required(&Form::time, "time", "the time of the measurement", config::finite_text())
                .required(&Form::frequency, "frequency", "the carrier frequency", config::finite_text());
        return schema;
    }

    explicit RadarEmissionState(const Form& form) : time(form.time), frequency(form.frequency) {}
    explicit RadarEmissionState(const xml::Querier& querier) : RadarEmissionState(schema().bind(querier)) {}
    void write(xml::OutStream& out) const override {
        out.tag(key()).element("time", time).element("frequency", frequency).end_tag();
    }

    const double time;
    const double frequency;
};

}  // namespace fusion
