#pragma once
#include <cstdint>

#include "model/state.h"
#include "model/states/own_text.h"

namespace pltr {

// The figure a plotting tool draws an object in. Key "figure_state"; the
// number is the element's text.
class FigureState : public state::StateTemplate<FigureState> {
public:
    static const char* key() { return "figure_state"; }

    explicit FigureState(std::int32_t figure) : figure(figure) {}
    explicit FigureState(const xml::Querier& querier)
        : figure(state::read_own_text<std::int32_t>(querier)) {}
    void write(xml::OutStream& out) const override { out.element(key(), figure); }

    const std::int32_t figure;
};

}  // namespace pltr
