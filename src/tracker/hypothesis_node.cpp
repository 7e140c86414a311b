#include "tracker/hypothesis_node.h"

#include <utility>

namespace ostrel {
namespace {

// Runs one pass on a copy of the source report (five shared pointers); the
// copy then holds the pass's track state.
template <class Pass>
TrackReportPtr applied_copy(const TrackReport& source, Pass pass) {
    auto copy = std::make_shared<TrackReport>(source);
    pass(*copy);
    return copy;
}

}  // namespace

HypothesisNode::HypothesisNode(TrackReportPtr report, std::int32_t track_number, double score,
                               bool no_contact)
    : report(std::move(report)), track_number(track_number), no_contact(no_contact), score(score) {}

HypothesisNodePtr HypothesisNode::root(const TrackReport& source) {
    TrackReportPtr report = applied_copy(source, [](TrackReport& r) { r.initialize(); });
    // A root's score is its own pass's log-likelihood.
    const double score = report->track_state->log_likelihood;
    return std::make_shared<HypothesisNode>(std::move(report), -1, score, false);
}

HypothesisNodePtr HypothesisNode::child(const HypothesisNode& parent, const TrackReport& source,
                                        bool no_contact) {
    TrackReportPtr report =
        applied_copy(source, [&parent](TrackReport& r) { r.update(parent.track_state()); });
    // score = parent score + log-likelihood of this step
    const double score = parent.score + report->track_state->log_likelihood;
    return std::make_shared<HypothesisNode>(std::move(report), parent.track_number, score,
                                            no_contact);
}

HypothesisNodePtr HypothesisNode::continuation(const HypothesisNode& parent,
                                               const TrackReport& source) {
    TrackReportPtr report =
        applied_copy(source, [&parent](TrackReport& r) { r.continue_from(parent.track_state()); });
    const double score = parent.score + report->track_state->log_likelihood;
    return std::make_shared<HypothesisNode>(std::move(report), parent.track_number, score, false);
}

HypothesisNodePtr HypothesisNode::gated_child(const HypothesisNode& parent,
                                              const TrackReport& source) {
    // A report that cannot be applied fails with the report's own message.
    if (!source.updater || !source.contact) return child(parent, source, false);
    // The same pass as TrackReport::update, but the report is copied only
    // once the gate has passed: most contacts lie outside most gates.
    TrackState fresh = TrackState::extending(parent.track_state());
    source.updater->update(*source.contact, fresh);
    if (!fresh.gates) return nullptr;
    return passed_child(parent, source, std::move(fresh));
}

HypothesisNodePtr HypothesisNode::passed_child(const HypothesisNode& parent,
                                               const TrackReport& source, TrackState&& state) {
    // score = parent score + log-likelihood of this step
    const double score = parent.score + state.log_likelihood;
    auto report = std::make_shared<TrackReport>(source);
    report->track_state = std::make_shared<const TrackState>(std::move(state));
    return std::make_shared<HypothesisNode>(std::move(report), parent.track_number, score, false);
}

void HypothesisNode::adopt(HypothesisNodePtr child) {
    child->parent = this;
    // A leaf mostly gets two to four children (a coast, its contacts, an
    // end): one allocation rather than growing 1, 2, 4.
    if (children.capacity() == 0) children.reserve(4);
    children.push_back(std::move(child));
}

void HypothesisNode::stamp(std::int32_t frame_index, std::int32_t resolution) {
    created_frame = frame_index;
    resolution_id = resolution;
    pruned = false;
}

void prune_subtree(HypothesisNodePtr node, std::vector<HypothesisNodePtr>* released) {
    // Iterative, and the pending stack keeps each node alive while it is
    // visited even after its parent has let go of it.
    std::vector<HypothesisNodePtr> pending{std::move(node)};
    while (!pending.empty()) {
        HypothesisNodePtr current = std::move(pending.back());
        pending.pop_back();
        current->pruned = true;
        current->parent = nullptr;
        for (auto& child : current->children) {
            // Asked for now, visited a few nodes later: the subtree lies
            // scattered over the heap.
            __builtin_prefetch(child.get());
            pending.push_back(std::move(child));
        }
        current->children.clear();
        // Held by nothing else (no list, no caller's copy): its memory
        // goes with the batch.
        if (released && current.use_count() == 1) released->push_back(std::move(current));
    }
}

}  // namespace ostrel
