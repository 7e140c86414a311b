#pragma once
#include <string>

#include "config/schema.h"
#include "model/state.h"
#include "numerics/vector.h"

namespace pltr {

// A point for display (N = 2, 3), copied or projected from another state.
// Key "plotter_point_state_" + N + "d"; child "point".
template <int N>
class PlotterPointState : public state::StateTemplate<PlotterPointState<N>> {
public:
    static const std::string& key();

    explicit PlotterPointState(const nmrc::Vector<N>& point) : point(point) {}
    // What the element holds.
    struct Form {
        nmrc::Vector<N> point;
    };
    static const config::Schema<Form>& schema();

    explicit PlotterPointState(const Form& form) : point(form.point) {}
    explicit PlotterPointState(const xml::Querier& querier) : PlotterPointState(schema().bind(querier)) {}
    void write(xml::OutStream& out) const override;

    const nmrc::Vector<N> point;
};

extern template class PlotterPointState<2>;
extern template class PlotterPointState<3>;

}  // namespace pltr
