#include "model/plotter/plotter_covariance_state.h"

#include "model/states/dimension_key.h"
#include "numerics/value_forms.h"

namespace pltr {

template <int N>
const std::string& PlotterCovarianceState<N>::key() {
    static const std::string k = state::dimension_key("plotter_covariance_state_", N);
    return k;
}

template <int N>
const config::Schema<typename PlotterCovarianceState<N>::Form>& PlotterCovarianceState<N>::schema() {
    static const auto schema =
        config::Schema<Form>(key(), "a covariance for display")
            .required(&Form::covariance, "covariance", "the covariance (entries below the diagonal kept)", config::finite_text());
    return schema;
}

template <int N>
void PlotterCovarianceState<N>::write(xml::OutStream& out) const {
    out.tag(key()).element("covariance", covariance).end_tag();
}

template class PlotterCovarianceState<2>;
template class PlotterCovarianceState<3>;

}  // namespace pltr
