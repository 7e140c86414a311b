#include "model/plotter/plotter_covariance_state.h"

#include "model/states/dimension_key.h"

namespace pltr {

template <int N>
const std::string& PlotterCovarianceState<N>::key() {
    static const std::string k = state::dimension_key("plotter_covariance_state_", N);
    return k;
}

template <int N>
PlotterCovarianceState<N>::PlotterCovarianceState(const xml::Querier& querier)
    : covariance(querier.read_finite<nmrc::SymmetricMatrix<N>>("covariance")) {}

template <int N>
void PlotterCovarianceState<N>::write(xml::OutStream& out) const {
    out.tag(key()).element("covariance", covariance).end_tag();
}

template class PlotterCovarianceState<2>;
template class PlotterCovarianceState<3>;

}  // namespace pltr
