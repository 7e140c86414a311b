#pragma once
#include <string>

#include "config/schema.h"
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
    // What the element holds.
    struct Form {
        nmrc::Vector<N> position;
        nmrc::Vector<N> velocity;
    };
    static const config::Schema<Form>& schema();

    explicit PositionVelocityState(const Form& form) : position(form.position), velocity(form.velocity) {}
    explicit PositionVelocityState(const xml::Querier& querier) : PositionVelocityState(schema().bind(querier)) {}
    void write(xml::OutStream& out) const override;

    const nmrc::Vector<N> position;
    const nmrc::Vector<N> velocity;
};

extern template class PositionVelocityState<1>;
extern template class PositionVelocityState<2>;
extern template class PositionVelocityState<3>;

}  // namespace state
