#pragma once
#include "config/schema.h"
#include "model/state.h"
#include "model/states/counted_vector.h"
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
    // What the element holds.
    struct Form {
        state::CountedVector distribution;
    };
    static const config::Schema<Form>& schema();

    explicit PlatformTypeDistributionState(const Form& form) : PlatformTypeDistributionState(form.distribution.values) {}
    explicit PlatformTypeDistributionState(const xml::Querier& querier)
        : PlatformTypeDistributionState(schema().bind(querier)) {}
    void write(xml::OutStream& out) const override;

    const nmrc::DynamicVector distribution;
};

}  // namespace ostrel
