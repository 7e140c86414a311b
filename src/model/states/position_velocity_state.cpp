#include "model/states/position_velocity_state.h"

#include "model/states/dimension_key.h"

namespace state {

template <int N>
const std::string& PositionVelocityState<N>::key() {
    static const std::string k = dimension_key("position_velocity_state_", N);
    return k;
}

template <int N>
PositionVelocityState<N>::PositionVelocityState(const xml::Querier& querier)
    : position(querier.read_finite<nmrc::Vector<N>>("position")),
      velocity(querier.read_finite<nmrc::Vector<N>>("velocity")) {}

template <int N>
void PositionVelocityState<N>::write(xml::OutStream& out) const {
    out.tag(key());
    out.element("position", position).element("velocity", velocity);
    out.end_tag();
}

template class PositionVelocityState<1>;
template class PositionVelocityState<2>;
template class PositionVelocityState<3>;

}  // namespace state
