#include "model/states/position_velocity_state.h"

#include "model/states/dimension_key.h"
#include "numerics/value_forms.h"

namespace state {

template <int N>
const std::string& PositionVelocityState<N>::key() {
    static const std::string k = dimension_key("position_velocity_state_", N);
    return k;
}

template <int N>
const config::Schema<typename PositionVelocityState<N>::Form>& PositionVelocityState<N>::schema() {
    static const auto schema =
        config::Schema<Form>(key(), "a point position and velocity")
            .required(&Form::position, "position", "the position", config::finite_text())
            .required(&Form::velocity, "velocity", "the velocity", config::finite_text());
    return schema;
}

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
