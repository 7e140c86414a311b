#pragma once
#include <vector>

#include "tracker/filter.h"

namespace ostrel {

class PositionGate;

// A filter seen as the sequence of its stages: composites are flattened
// (a composite only runs its members in order), and the stages are split
// into a leading part that reads nothing of the contact but its time and
// the rest, which reads the contact itself.
//
// Running `time_stages` and then `contact_stages` on one track state is the
// filter's own pass. The time stages give the same result for every contact
// of one time, so they can run once per hypothesis and frame.
struct FilterStages {
    std::vector<const Filter*> time_stages;
    std::vector<const Filter*> contact_stages;
    // The gate of the contact stages when a single position gate is all of
    // them (nothing runs after it), else null.
    const PositionGate* gate = nullptr;
};

// The stages of `filter`; the pointers live as long as the filter.
FilterStages filter_stages(const Filter& filter);

// Runs the stages in order.
void run_stages(const std::vector<const Filter*>& stages, const state::CompositeState& contact,
                TrackState& track);

}  // namespace ostrel
