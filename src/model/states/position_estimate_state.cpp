#include "model/states/position_estimate_state.h"

#include "model/states/dimension_key.h"
#include "model/states/finite_normal.h"

namespace state {

template <int N>
const std::string& PositionEstimateState<N>::key() {
    static const std::string k = dimension_key("position_estimate_state_", N);
    return k;
}

template <int N>
PositionEstimateState<N>::PositionEstimateState(const xml::Querier& querier)
    : estimate(read_finite_normal<N>(querier)), time(querier.read_finite<double>("time")) {}

template <int N>
void PositionEstimateState<N>::write(xml::OutStream& out) const {
    out.tag(key()).element("time", time);
    estimate.write(out);
    out.end_tag();
}

template class PositionEstimateState<1>;
template class PositionEstimateState<2>;
template class PositionEstimateState<3>;

}  // namespace state
