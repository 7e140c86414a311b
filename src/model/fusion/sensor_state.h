#pragma once
#include <sstream>
#include <string>

#include "config/schema.h"
#include "model/state.h"
#include "numerics/value_forms.h"
#include "numerics/vector.h"

namespace fusion {

// Where a sensor stands and how likely it detects a target in view. One
// class per sensor kind (Kind names the key), so that each kind has its own
// identity and a frame may carry several. Children "position",
// "detection_probability" (in [0, 1]).
template <class Kind>
class SensorState : public state::StateTemplate<SensorState<Kind>> {
public:
    static std::string key() { return Kind::key(); }

    SensorState(const nmrc::Vector<3>& position, double detection_probability)
        : position(position), detection_probability(checked(detection_probability)) {}
    // What the element holds.
    struct Form {
        nmrc::Vector<3> position;
        double detection_probability = 0.0;
    };
    static const config::Schema<Form>& schema() {
        static const auto schema =
            config::Schema<Form>(key(), "where a sensor stands and how likely it detects a target in view")
                .required(&Form::position, "position", "the sensor position", config::finite_text())
                .required(&Form::detection_probability, "detection_probability",
                          "the probability of detecting a target in view", config::finite_text(),
                          config::probability().says(
                              "detection_probability is not in [0, 1] in {key}: detection_probability = {value}"));
        return schema;
    }

    explicit SensorState(const Form& form) : SensorState(form.position, form.detection_probability) {}
    explicit SensorState(const xml::Querier& querier) : SensorState(schema().bind(querier)) {}
    void write(xml::OutStream& out) const override {
        out.tag(key()).element("position", position);
        out.element("detection_probability", detection_probability).end_tag();
    }

    const nmrc::Vector<3> position;
    const double detection_probability;

private:
    static double checked(double p) {
        if (!(p >= 0 && p <= 1)) {
            std::ostringstream message;
            message << "detection_probability is not in [0, 1] in " << key()
                    << ": detection_probability = " << p;
            throw util::Exception(message.str());
        }
        return p;
    }
};

template <int I>
struct EsmSensor {
    static std::string key() { return "esm_sensor_state_" + std::to_string(I); }
};
struct ImagingSensor {
    static std::string key() { return "imaging_sensor_state"; }
};
struct RadarSensor {
    static std::string key() { return "radar_sensor_state"; }
};
struct ImageSensor {
    static std::string key() { return "image_sensor_state"; }
};

template <int I>
using EsmSensorState = SensorState<EsmSensor<I>>;  // I = 0, 1, 2
using ImagingSensorState = SensorState<ImagingSensor>;
using RadarSensorState = SensorState<RadarSensor>;
using ImageSensorState = SensorState<ImageSensor>;

}  // namespace fusion
