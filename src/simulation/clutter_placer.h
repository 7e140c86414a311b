#pragma once
#include <memory>

#include "geometry/uniform_footprint.h"
#include "model/composite_state.h"
#include "model/states/position_state.h"
#include "model/states/position_velocity_state.h"

namespace smltr {

// Places the fake truth behind a false contact: a point drawn uniformly from
// a region, kept as a PositionState<N> and as a PositionVelocityState<N> at
// rest, so that either kind of position sensor can measure it.
class ClutterPlacer {
public:
    virtual ~ClutterPlacer() = default;
    virtual void place(state::CompositeState& clutter) = 0;
};

template <int N>
class UniformClutterPlacer : public ClutterPlacer {
public:
    explicit UniformClutterPlacer(ftprnt::UniformFootprintPtr<N> region) : region_(std::move(region)) {}

    void place(state::CompositeState& clutter) override {
        nmrc::Vector<N> point;
        region_->sample(point);
        clutter.insert(std::make_shared<const state::PositionState<N>>(point));
        clutter.insert(
            std::make_shared<const state::PositionVelocityState<N>>(point, nmrc::Vector<N>()));
    }

private:
    ftprnt::UniformFootprintPtr<N> region_;
};

// Builds the placer for the uniform footprint element the Querier stands on;
// its key decides the dimension (an unknown key fails, naming it).
std::unique_ptr<ClutterPlacer> make_clutter_placer(const xml::Querier& region);

}  // namespace smltr
