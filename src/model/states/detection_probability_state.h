#pragma once
#include "config/schema.h"
#include "model/state.h"

namespace snsr {

// A sensor's probability of detection, in [0, 1]. Key
// "detection_probability_state"; the number is the element's text.
class DetectionProbabilityState : public state::StateTemplate<DetectionProbabilityState> {
public:
    static const char* key() { return "detection_probability_state"; }

    explicit DetectionProbabilityState(double detection_probability);
    // What the element holds.
    struct Form {
        double detection_probability = 0.0;
    };
    static const config::Schema<Form>& schema();

    explicit DetectionProbabilityState(const Form& form) : DetectionProbabilityState(form.detection_probability) {}
    explicit DetectionProbabilityState(const xml::Querier& querier) : DetectionProbabilityState(schema().bind(querier)) {}
    void write(xml::OutStream& out) const override;

    const double detection_probability;
};

}  // namespace snsr
