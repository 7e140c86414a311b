#include "tracker/node_release.h"

#include <cstddef>
#include <cstdint>

namespace ostrel {
namespace {

// Nodes between asking for one level of a node's chain and the next:
// freeing a node is short, and four keep a miss in flight long enough to
// arrive.
constexpr std::size_t kStep = 4;

// A shared object made by make_shared sits just after its counts, so the
// line before the object's first byte holds the count a release changes.
void touch(const void* object) {
    __builtin_prefetch(reinterpret_cast<const void*>(reinterpret_cast<std::uintptr_t>(object) - 8), 1);
}

const TrackState* track_state_of(const HypothesisNode& node) {
    return node.report ? node.report->track_state.get() : nullptr;
}

}  // namespace

void release_nodes(std::vector<HypothesisNodePtr>& nodes) {
    const std::size_t n = nodes.size();
    for (std::size_t i = 0; i < n; ++i) {
        // Before freeing node i: the node four steps ahead, its report three
        // steps ahead, and so on down to its states half a step ahead. Every
        // node from i on is still held here, so each pointer followed is
        // alive; a block that has not arrived yet is only waited for.
        if (i + 4 * kStep < n) touch(nodes[i + 4 * kStep].get());
        if (i + 3 * kStep < n && nodes[i + 3 * kStep]->report)
            touch(nodes[i + 3 * kStep]->report.get());
        if (i + 2 * kStep < n && nodes[i + 2 * kStep]->report) {
            const TrackReport& report = *nodes[i + 2 * kStep]->report;
            if (report.track_state) touch(report.track_state.get());
            if (report.contact) touch(report.contact.get());
        }
        if (i + kStep < n) {
            const TrackState* state = track_state_of(*nodes[i + kStep]);
            if (state && !state->states.empty()) __builtin_prefetch(&*state->states.begin());
        }
        if (i + kStep / 2 < n) {
            if (const TrackState* state = track_state_of(*nodes[i + kStep / 2]))
                for (const auto& entry : state->states) touch(entry.second.get());
        }
        nodes[i].reset();
    }
    nodes.clear();
}

}  // namespace ostrel
