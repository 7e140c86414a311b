#pragma once
#include <cstdint>
#include <vector>

#include "tracker/track_report.h"
#include "util/counted_ptr.h"

namespace ostrel {

class HypothesisNode;
using HypothesisNodePtr = util::CountedPtr<HypothesisNode>;

// One hypothesis of one track: the report whose filter pass made it (its
// own copy, holding the track state that pass produced), its place in the
// track's tree and its bookkeeping for the n-scan resolution.
//
// A node owns its children; the parent link is a plain pointer, cleared
// whenever the node is detached from or pruned away with its parent, so it
// never dangles.
class HypothesisNode {
public:
    // A track root: the report's initializer runs on a state built from its
    // contact's label; the score is that pass's log-likelihood.
    static HypothesisNodePtr root(const TrackReport& source);
    // A child by the report's updater, or by its continuation updater, on a
    // copy of the parent's state; score = parent score + log-likelihood.
    // The child is not attached: the caller adopts it only if it is wanted.
    static HypothesisNodePtr child(const HypothesisNode& parent, const TrackReport& source,
                                   bool no_contact);
    static HypothesisNodePtr continuation(const HypothesisNode& parent, const TrackReport& source);
    // As `child` with a contact, but null when the pass closes the gate: the
    // common case of a contact outside a track's gate then costs no node.
    static HypothesisNodePtr gated_child(const HypothesisNode& parent, const TrackReport& source);
    // The child of a contact pass that has already run on `state` (a state
    // extending the parent's): a copy of the source report holding it.
    static HypothesisNodePtr passed_child(const HypothesisNode& parent, const TrackReport& source,
                                          TrackState&& state);

    HypothesisNode(TrackReportPtr report, std::int32_t track_number, double score, bool no_contact);

    const TrackState& track_state() const { return *report->track_state; }
    bool gates() const { return track_state().gates; }

    // Appends the child and makes this node its parent.
    void adopt(HypothesisNodePtr child);
    // Records when the node was made: the frame index and the resolution
    // counter at that time.
    void stamp(std::int32_t frame_index, std::int32_t resolution);

    TrackReportPtr report;
    HypothesisNode* parent = nullptr;
    std::vector<HypothesisNodePtr> children;
    std::int32_t track_number;
    bool terminated = false;
    bool zombie = false;
    bool no_contact;
    // Made from one of the frame's new contacts (not a continuation of a
    // labelled one): such a hypothesis may claim a contact of another track.
    bool new_contact = false;
    double score;
    std::int32_t created_frame = -1;
    std::int32_t resolution_id = -1;
    bool pruned = false;
    std::int32_t column = -1;
};

// Marks the node and its whole subtree pruned, cuts every parent link in it
// and releases the interior nodes; nodes still held by the tree's lists stay
// alive (marked) until the lists are swept. With `released`, the nodes
// nothing else holds (a list, or a caller that kept a copy of `node`) are
// moved there instead of being freed one by one, to be released as a batch
// (see release_nodes).
void prune_subtree(HypothesisNodePtr node, std::vector<HypothesisNodePtr>* released = nullptr);

}  // namespace ostrel
