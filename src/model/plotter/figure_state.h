#pragma once
#include <cstdint>

#include "config/schema.h"
#include "model/state.h"

namespace pltr {

// The figure a plotting tool draws an object in. Key "figure_state"; the
// number is the element's text.
class FigureState : public state::StateTemplate<FigureState> {
public:
    static const char* key() { return "figure_state"; }

    explicit FigureState(std::int32_t figure) : figure(figure) {}
    struct Form {
        std::int32_t figure = 0;
    };
    static const config::Schema<Form>& schema() {
        static const auto schema = config::Schema<Form>(key(), "the figure a plotting tool draws an object in")
                                       .text(&Form::figure, "the figure number");
        return schema;
    }
    explicit FigureState(const xml::Querier& querier) : figure(schema().bind(querier).figure) {}
    void write(xml::OutStream& out) const override { out.element(key(), figure); }

    const std::int32_t figure;
};

}  // namespace pltr
