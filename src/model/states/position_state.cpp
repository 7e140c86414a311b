#include "model/states/position_state.h"

#include "model/states/dimension_key.h"

namespace state {

template <int N>
const std::string& PositionState<N>::key() {
    static const std::string k = dimension_key("position_state_", N);
    return k;
}

template <int N>
PositionState<N>::PositionState(const xml::Querier& querier)
    : position(querier.read_finite<nmrc::Vector<N>>("position")) {}

template <int N>
void PositionState<N>::write(xml::OutStream& out) const {
    out.tag(key()).element("position", position).end_tag();
}

template class PositionState<1>;
template class PositionState<2>;
template class PositionState<3>;

}  // namespace state
