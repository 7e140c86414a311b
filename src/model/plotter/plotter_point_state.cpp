#include "model/plotter/plotter_point_state.h"

#include "model/states/dimension_key.h"
#include "numerics/value_forms.h"

namespace pltr {

template <int N>
const std::string& PlotterPointState<N>::key() {
    static const std::string k = state::dimension_key("plotter_point_state_", N);
    return k;
}

template <int N>
const config::Schema<typename PlotterPointState<N>::Form>& PlotterPointState<N>::schema() {
    static const auto schema =
        config::Schema<Form>(key(), "a point for display")
            .required(&Form::point, "point", "the point", config::finite_text());
    return schema;
}

template <int N>
void PlotterPointState<N>::write(xml::OutStream& out) const {
    out.tag(key()).element("point", point).end_tag();
}

template class PlotterPointState<2>;
template class PlotterPointState<3>;

}  // namespace pltr
