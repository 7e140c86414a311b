#pragma once
#include <string>

#include "model/state.h"
#include "numerics/vector.h"

namespace state {

// A point position and velocity (N = 1, 2, 3), typically a simulated truth.
// Key "position_velocity_state_" + N + "d"; children "position", "velocity".
template <int N>
class PositionVelocityState : public StateTemplate<PositionVelocityState<N>> {
public:
    static const std::string& key();

    PositionVelocityState(const nmrc::Vector<N>& position, const nmrc::Vector<N>& velocity)
        : position(position), velocity(velocity) {}
    explicit PositionVelocityState(const xml::Querier& querier);
    void write(xml::OutStream& out) const override;

    const nmrc::Vector<N> position;
    const nmrc::Vector<N> velocity;
};

extern template class PositionVelocityState<1>;
extern template class PositionVelocityState<2>;
extern template class PositionVelocityState<3>;

}  // namespace state
