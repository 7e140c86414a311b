#include "model/plotter/plotter_point_state.h"

#include "model/states/dimension_key.h"

namespace pltr {

template <int N>
const std::string& PlotterPointState<N>::key() {
    static const std::string k = state::dimension_key("plotter_point_state_", N);
    return k;
}

template <int N>
PlotterPointState<N>::PlotterPointState(const xml::Querier& querier)
    : point(querier.read_finite<nmrc::Vector<N>>("point")) {}

template <int N>
void PlotterPointState<N>::write(xml::OutStream& out) const {
    out.tag(key()).element("point", point).end_tag();
}

template class PlotterPointState<2>;
template class PlotterPointState<3>;

}  // namespace pltr
