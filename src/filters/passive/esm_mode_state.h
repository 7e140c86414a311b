#pragma once
#include "model/state.h"
#include "numerics/dynamic_vector.h"

namespace ostrel {

// A track's belief over the emitter modes of an ESM target: one probability
// per mode index, summing to one. Key "esm_mode_state"; written as that
// element with child "distribution" (the probabilities separated by single
// spaces). It is not in the state factory: only the ESM mode filters build
// it; the Querier constructor reads back the written form.
class EsmModeState : public state::StateTemplate<EsmModeState> {
public:
    static const char* key() { return "esm_mode_state"; }

    // Fails when the distribution is empty.
    explicit EsmModeState(nmrc::DynamicVector distribution);
    explicit EsmModeState(const xml::Querier& querier);
    void write(xml::OutStream& out) const override;

    const nmrc::DynamicVector distribution;
};

}  // namespace ostrel
