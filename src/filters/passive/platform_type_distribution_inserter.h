#pragma once
#include "config/schema.h"
#include "model/state.h"
#include "numerics/dynamic_vector.h"
#include "tracker/filter.h"

namespace ostrel {

// Key "platform_type_distribution_inserter": gives the track the
// platform-type belief "distribution" (probabilities separated by blanks,
// finite, non-negative, with a positive sum). The state is built once and
// the same object is inserted into every track.
class PlatformTypeDistributionInserter : public Filter {
public:
    struct Parameters {
        nmrc::DynamicVector distribution;
    };
    static const config::Schema<Parameters>& schema();

    explicit PlatformTypeDistributionInserter(const Parameters& parameters);
    explicit PlatformTypeDistributionInserter(const xml::Querier& querier)
        : PlatformTypeDistributionInserter(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const state::StatePtr distribution_;
};

}  // namespace ostrel
