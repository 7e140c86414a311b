#pragma once
#include "model/state.h"
#include "numerics/dynamic_vector.h"

namespace fusion {

// A platform-type belief read under the key "platform_type_distribuion_state"
// (spelled so in configurations) from a child "distribution" holding the
// probabilities; it is written under "platform_type_distribution_state" with
// that same child. It is a kind of its own, apart from
// ostrel::PlatformTypeDistributionState, which the platform filters use.
class PlatformTypeDistributionState : public state::StateTemplate<PlatformTypeDistributionState> {
public:
    static const char* key() { return "platform_type_distribuion_state"; }
    static const char* written_key() { return "platform_type_distribution_state"; }

    // Fails when the distribution is empty.
    explicit PlatformTypeDistributionState(nmrc::DynamicVector distribution);
    explicit PlatformTypeDistributionState(const xml::Querier& querier);
    void write(xml::OutStream& out) const override;

    const nmrc::DynamicVector distribution;
};

}  // namespace fusion
