#pragma once
#include <string>

#include "config/schema.h"
#include "model/state.h"

namespace pltr {

// The colour a plotting tool draws an object in, by name. Key
// "color_state"; the name is the element's raw text.
class ColorState : public state::StateTemplate<ColorState> {
public:
    static const char* key() { return "color_state"; }

    explicit ColorState(std::string color) : color(std::move(color)) {}
    struct Form {
        std::string color;
    };
    static const config::Schema<Form>& schema() {
        static const auto schema = config::Schema<Form>(key(), "the colour a plotting tool draws an object in")
                                       .text(&Form::color, "the colour's name, as written");
        return schema;
    }
    explicit ColorState(const xml::Querier& querier) : color(schema().bind(querier).color) {}
    void write(xml::OutStream& out) const override { out.element(key(), color); }

    const std::string color;
};

}  // namespace pltr
