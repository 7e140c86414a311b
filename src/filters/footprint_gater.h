#pragma once
#include "config/schema.h"
#include "tracker/filter.h"

namespace ostrel {

// Keys "footprint_gater_2d", "footprint_gater_3d": runs the "in" filter when
// the position of the track's PositionVelocityEstimateState<N> lies in the
// footprint the contact carries (its
// FootprintState<PositionVelocityEstimateState<N>>, a sensor's field of
// view), else the "out" filter. "in" and "out" each hold one filter element.
template <int N>
class FootprintGater : public Filter {
public:
    struct Parameters {
        FilterPtr in;
        FilterPtr out;
    };
    static const config::Schema<Parameters>& schema();

    explicit FootprintGater(const Parameters& parameters);
    explicit FootprintGater(const xml::Querier& querier) : FootprintGater(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const FilterPtr in_;
    const FilterPtr out_;
};

extern template class FootprintGater<2>;
extern template class FootprintGater<3>;

}  // namespace ostrel
