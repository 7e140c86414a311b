#include "model/states/position_velocity_estimate_state.h"

#include "model/states/dimension_key.h"
#include "model/states/finite_normal.h"

namespace state {

template <int N>
const std::string& PositionVelocityEstimateState<N>::key() {
    static const std::string k = dimension_key("position_velocity_estimate_state_", N);
    return k;
}

template <int N>
PositionVelocityEstimateState<N>::PositionVelocityEstimateState(const xml::Querier& querier)
    : estimate(read_finite_normal<2 * N>(querier)),
      time(querier.read_finite<double>("time")) {}

template <int N>
void PositionVelocityEstimateState<N>::write(xml::OutStream& out) const {
    out.tag(key()).element("time", time);
    estimate.write(out);
    out.end_tag();
}

template class PositionVelocityEstimateState<1>;
template class PositionVelocityEstimateState<2>;
template class PositionVelocityEstimateState<3>;

}  // namespace state
