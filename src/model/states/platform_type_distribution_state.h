#pragma once
#include "model/state.h"
#include "numerics/dynamic_vector.h"

namespace ostrel {

// A track's belief over platform types: one probability per type, in the
// order of the platform library. Key "platform_type_distribution_state";
// attribute "dim" holds the length, the text the numbers.
class PlatformTypeDistributionState : public state::StateTemplate<PlatformTypeDistributionState> {
public:
    static const char* key() { return "platform_type_distribution_state"; }

    // Fails when the distribution is empty.
    explicit PlatformTypeDistributionState(nmrc::DynamicVector distribution);
    explicit PlatformTypeDistributionState(const xml::Querier& querier);
    void write(xml::OutStream& out) const override;

    const nmrc::DynamicVector distribution;
};

}  // namespace ostrel
