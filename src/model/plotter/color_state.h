#pragma once
#include <string>

#include "model/state.h"

namespace pltr {

// The colour a plotting tool draws an object in, by name. Key
// "color_state"; the name is the element's raw text.
class ColorState : public state::StateTemplate<ColorState> {
public:
    static const char* key() { return "color_state"; }

    explicit ColorState(std::string color) : color(std::move(color)) {}
    explicit ColorState(const xml::Querier& querier) : color(querier.raw_text()) {}
    void write(xml::OutStream& out) const override { out.element(key(), color); }

    const std::string color;
};

}  // namespace pltr
