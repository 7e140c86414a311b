#include "model/states/position_estimate_state.h"

#include "model/states/dimension_key.h"
#include "model/states/state_schemas.h"

namespace state {

template <int N>
const std::string& PositionEstimateState<N>::key() {
    static const std::string k = dimension_key("position_estimate_state_", N);
    return k;
}

template <int N>
const config::Schema<typename PositionEstimateState<N>::Form>& PositionEstimateState<N>::schema() {
    static const auto schema =
        config::Schema<Form>(key(), "a Gaussian estimate holding at a time")
            .required(&Form::time, "time", "the time the estimate holds at", config::finite_text())
            .nested(&Form::estimate, finite_normal_schema<N>(), "the position estimate, every number finite");
    return schema;
}

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
