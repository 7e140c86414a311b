#pragma once
#include <string>

#include "config/schema.h"
#include "model/state.h"

namespace snsr {

// Names the filter set that the filter definer applies to a frame. Key
// "sensor_type_state"; the element's raw text as the reader stored it.
class SensorTypeState : public state::StateTemplate<SensorTypeState> {
public:
    static const char* key() { return "sensor_type_state"; }

    explicit SensorTypeState(std::string sensor_type) : sensor_type(std::move(sensor_type)) {}
    struct Form {
        std::string sensor_type;
    };
    static const config::Schema<Form>& schema() {
        static const auto schema = config::Schema<Form>(key(), "names the filter set applied to a frame")
                                       .text(&Form::sensor_type, "the filter set's name, as written");
        return schema;
    }
    explicit SensorTypeState(const xml::Querier& querier) : sensor_type(schema().bind(querier).sensor_type) {}
    void write(xml::OutStream& out) const override { out.element(key(), sensor_type); }

    const std::string sensor_type;
};

}  // namespace snsr
