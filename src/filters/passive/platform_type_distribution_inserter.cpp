#include "filters/passive/platform_type_distribution_inserter.h"

#include "filters/filter_parameters.h"
#include "filters/passive/discrete_belief.h"
#include "filters/passive/passive_parameters.h"
#include "model/states/platform_type_distribution_state.h"

namespace ostrel {

namespace {
state::StatePtr read_distribution(const xml::Querier& querier) {
    nmrc::DynamicVector p = read_probabilities(querier, "distribution");
    const double sum = total(p);
    if (!(sum > 0.0))
        throw util::Exception("distribution must have a positive sum: sum = " + number_text(sum));
    return std::make_shared<const PlatformTypeDistributionState>(std::move(p));
}
}  // namespace

PlatformTypeDistributionInserter::PlatformTypeDistributionInserter(const xml::Querier& querier)
    : distribution_(read_distribution(querier)) {}

void PlatformTypeDistributionInserter::update(const state::CompositeState&,
                                              TrackState& track) const {
    track.states.insert(distribution_);
}

}  // namespace ostrel
