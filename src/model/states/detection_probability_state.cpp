#include "model/states/detection_probability_state.h"

#include <sstream>

#include "model/states/own_text.h"

namespace snsr {

namespace {
double checked(double p) {
    // NaN fails this test as well.
    if (!(p >= 0 && p <= 1)) {
        std::ostringstream message;
        message << "detection_probability is not in [0, 1]: detection_probability = " << p;
        throw util::Exception(message.str());
    }
    return p;
}
}  // namespace

DetectionProbabilityState::DetectionProbabilityState(double detection_probability)
    : detection_probability(checked(detection_probability)) {}

const config::Schema<DetectionProbabilityState::Form>& DetectionProbabilityState::schema() {
    static const auto schema =
        config::Schema<Form>(key(), "the probability that the sensor detects a present object")
            .text(&Form::detection_probability, "the probability, in [0, 1]",
                  config::probability().says("detection_probability is not in [0, 1]: detection_probability = {value}"));
    return schema;
}

void DetectionProbabilityState::write(xml::OutStream& out) const {
    out.element(key(), detection_probability);
}

}  // namespace snsr
