#pragma once
#include "model/state.h"

namespace snsr {

// A sensor's probability of detection, in [0, 1]. Key
// "detection_probability_state"; the number is the element's text.
class DetectionProbabilityState : public state::StateTemplate<DetectionProbabilityState> {
public:
    static const char* key() { return "detection_probability_state"; }

    explicit DetectionProbabilityState(double detection_probability);
    explicit DetectionProbabilityState(const xml::Querier& querier);
    void write(xml::OutStream& out) const override;

    const double detection_probability;
};

}  // namespace snsr
