#include "filters/passive/platform_type_distribution_inserter.h"

#include "filters/passive/discrete_belief.h"
#include "filters/passive/passive_parameters.h"
#include "model/states/platform_type_distribution_state.h"

namespace ostrel {

const config::Schema<PlatformTypeDistributionInserter::Parameters>& PlatformTypeDistributionInserter::schema() {
    using P = Parameters;
    static const auto schema =
        config::Schema<P>("platform_type_distribution_inserter", "gives the track a fixed platform-type belief")
            .required(&P::distribution, "distribution", "the probability of each platform type", probability_entry(),
                      not_empty())
            .rule("distribution", "of positive sum", [](const P& p) { return total(p.distribution) > 0.0; },
                  [](const P& p) { return config::quote(total(p.distribution)); },
                  "{element} must have a positive sum: sum = {value}");
    return schema;
}

PlatformTypeDistributionInserter::PlatformTypeDistributionInserter(const Parameters& parameters)
    : distribution_(std::make_shared<const PlatformTypeDistributionState>(schema().validate(parameters).distribution)) {}

void PlatformTypeDistributionInserter::update(const state::CompositeState&,
                                              TrackState& track) const {
    track.states.insert(distribution_);
}

}  // namespace ostrel
