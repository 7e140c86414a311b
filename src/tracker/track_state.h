#pragma once
#include "model/composite_state.h"
#include "model/label.h"
#include "model/track_label_state.h"

namespace ostrel {

// The state of one track hypothesis after a filter pass: the states the
// filters built, the track label (also kept among the states as a
// TrackLabelState), the score increment of this step and whether the
// hypothesis is still admissible.
class TrackState {
public:
    TrackState() = default;
    // Fresh state for track initiation: starts from the contact's label.
    explicit TrackState(const state::Label& label) : label(label) {
        states.insert(std::make_shared<state::TrackLabelState>(label));
    }
    // Reads "composite_state", "label", "log_likelihood" and "gates" by name.
    explicit TrackState(const xml::Querier& querier);

    // A fresh state for extending a parent hypothesis: the parent's states
    // (shared) and label, log_likelihood 0 and gates true.
    static TrackState extending(const TrackState& parent) {
        TrackState fresh;
        fresh.states = parent.states;
        fresh.label = parent.label;
        return fresh;
    }

    // Element "track_state": label, log_likelihood, gates (1 or 0), states.
    void write(xml::OutStream& out) const;

    state::CompositeState states;
    state::Label label;
    double log_likelihood = 0.0;
    bool gates = true;
};

}  // namespace ostrel
