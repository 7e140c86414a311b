#include "model/states/position_state.h"

#include "model/states/dimension_key.h"
#include "numerics/value_forms.h"

namespace state {

template <int N>
const std::string& PositionState<N>::key() {
    static const std::string k = dimension_key("position_state_", N);
    return k;
}

template <int N>
const config::Schema<typename PositionState<N>::Form>& PositionState<N>::schema() {
    static const auto schema =
        config::Schema<Form>(key(), "a point position")
            .required(&Form::position, "position", "the position", config::finite_text());
    return schema;
}

template <int N>
void PositionState<N>::write(xml::OutStream& out) const {
    out.tag(key()).element("position", position).end_tag();
}

template class PositionState<1>;
template class PositionState<2>;
template class PositionState<3>;

}  // namespace state
