#include "model/states/position_velocity_estimate_state.h"

#include "model/states/dimension_key.h"
#include "model/states/state_schemas.h"

namespace state {

template <int N>
const std::string& PositionVelocityEstimateState<N>::key() {
    static const std::string k = dimension_key("position_velocity_estimate_state_", N);
    return k;
}

template <int N>
const config::Schema<typename PositionVelocityEstimateState<N>::Form>& PositionVelocityEstimateState<N>::schema() {
    static const auto schema =
        config::Schema<Form>(key(), "a Gaussian estimate holding at a time")
            .required(&Form::time, "time", "the time the estimate holds at", config::finite_text())
            .nested(&Form::estimate, finite_normal_schema<2 * N>(), "the estimate of (p1 .. pN, v1 .. vN), every number finite");
    return schema;
}

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
