#include "filters/footprint_gater.h"

#include "filters/filter_schema.h"
#include "model/states/footprint_state.h"
#include "model/states/position_velocity_estimate_state.h"

namespace ostrel {

template <int N>
const config::Schema<typename FootprintGater<N>::Parameters>& FootprintGater<N>::schema() {
    using P = Parameters;
    static const auto schema =
        config::Schema<P>("footprint_gater_" + std::to_string(N) + "d",
                          "runs one filter for a track inside the contact's footprint, another outside it")
            .product(&P::in, "in", filter_form(), "the filter for a track inside the footprint", &make_filter_in)
            .product(&P::out, "out", filter_form(), "the filter for a track outside it", &make_filter_in);
    return schema;
}

template <int N>
FootprintGater<N>::FootprintGater(const Parameters& parameters)
    : in_(schema().validate(parameters).in), out_(parameters.out) {}

template <int N>
void FootprintGater<N>::update(const state::CompositeState& contact, TrackState& track) const {
    using Estimate = state::PositionVelocityEstimateState<N>;
    const auto& view = contact.get<state::FootprintState<Estimate>>();
    const nmrc::Vector<N> position = track.states.get<Estimate>().position();
    const Filter& chosen = view.footprint->contains(position) ? *in_ : *out_;
    chosen.update(contact, track);
}

template class FootprintGater<2>;
template class FootprintGater<3>;

}  // namespace ostrel
