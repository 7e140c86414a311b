#pragma once
#include "config/schema.h"
#include "model/state.h"
#include "numerics/dynamic_vector.h"

namespace fusion {

// A platform-type belief with a child "distribution" holding the
// probabilities. It is read under the key "platform_type_distribuion_state"
// (spelled so in older configurations) and, in this form, under the correct
// spelling "platform_type_distribution_state", under which it is written, so
// that its own output reads back. It is a kind of its own, apart from
// ostrel::PlatformTypeDistributionState (attribute "dim", numbers as text),
// which the platform filters use and which shares the correct spelling.
class PlatformTypeDistributionState : public state::StateTemplate<PlatformTypeDistributionState> {
public:
    // The key it is registered under; written_key() is the correct spelling.
    static const char* key() { return "platform_type_distribuion_state"; }
    static const char* written_key() { return "platform_type_distribution_state"; }

    // The creator of the key "platform_type_distribution_state": this kind
    // for an element in its form (a "distribution" child, no "dim"
    // attribute), ostrel::PlatformTypeDistributionState for any other.
    static util::CountedPtr<state::State> create_either(const xml::Querier& element);

    // What the key "platform_type_distribution_state" reads: the form of
    // ostrel::PlatformTypeDistributionState, and this form when the element
    // has a "distribution" child and no "dim" attribute (for --describe).
    static const config::SchemaBase& either_schema();

    // Fails when the distribution is empty.
    explicit PlatformTypeDistributionState(nmrc::DynamicVector distribution);
    // What the element holds.
    struct Form {
        nmrc::DynamicVector distribution;
    };
    static const config::Schema<Form>& schema();

    explicit PlatformTypeDistributionState(const Form& form) : PlatformTypeDistributionState(form.distribution) {}
    explicit PlatformTypeDistributionState(const xml::Querier& querier)
        : PlatformTypeDistributionState(schema().bind(querier)) {}
    void write(xml::OutStream& out) const override;

    const nmrc::DynamicVector distribution;
};

}  // namespace fusion
