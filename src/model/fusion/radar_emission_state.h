#pragma once
#include "model/state.h"

namespace fusion {

// A measured radar emission: its carrier frequency at `time`. Key
// "radar_emission_state"; children "time", "frequency".
class RadarEmissionState : public state::StateTemplate<RadarEmissionState> {
public:
    static const char* key() { return "radar_emission_state"; }

    RadarEmissionState(double time, double frequency) : time(time), frequency(frequency) {}
    explicit RadarEmissionState(const xml::Querier& querier)
        : time(querier.read_finite<double>("time")), frequency(querier.read_finite<double>("frequency")) {}
    void write(xml::OutStream& out) const override {
        out.tag(key()).element("time", time).element("frequency", frequency).end_tag();
    }

    const double time;
    const double frequency;
};

}  // namespace fusion
