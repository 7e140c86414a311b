#include "filters/footprint_gater.h"

#include "model/states/footprint_state.h"
#include "model/states/position_velocity_estimate_state.h"

namespace ostrel {

template <int N>
FootprintGater<N>::FootprintGater(const xml::Querier& querier)
    : in_(make_filter_in(querier.tag("in"))), out_(make_filter_in(querier.tag("out"))) {}

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
