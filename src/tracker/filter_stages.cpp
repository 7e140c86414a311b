#include "tracker/filter_stages.h"

#include "tracker/structural_filters.h"

namespace ostrel {
namespace {

// The leaves of the composite tree in run order; iterative, so that no
// depth of nesting can exhaust the stack.
std::vector<const Filter*> flattened(const Filter& filter) {
    std::vector<const Filter*> stages;
    std::vector<const Filter*> pending{&filter};
    while (!pending.empty()) {
        const Filter* next = pending.back();
        pending.pop_back();
        const auto* composite = dynamic_cast<const CompositeFilter*>(next);
        if (!composite) {
            stages.push_back(next);
            continue;
        }
        const auto& members = composite->members();
        for (auto member = members.rbegin(); member != members.rend(); ++member)
            pending.push_back(member->get());
    }
    return stages;
}

}  // namespace

FilterStages filter_stages(const Filter& filter) {
    FilterStages stages;
    for (const Filter* stage : flattened(filter)) {
        if (stages.contact_stages.empty() && stage->reads_contact_time_only())
            stages.time_stages.push_back(stage);
        else
            stages.contact_stages.push_back(stage);
    }
    if (stages.contact_stages.size() == 1) stages.gate = stages.contact_stages.front()->position_gate();
    return stages;
}

void run_stages(const std::vector<const Filter*>& stages, const state::CompositeState& contact,
                TrackState& track) {
    for (const Filter* stage : stages) stage->update(contact, track);
}

}  // namespace ostrel
