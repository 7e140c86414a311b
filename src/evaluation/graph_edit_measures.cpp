#include "evaluation/graph_edit_measures.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>

namespace ctc {

namespace {

enum class Link { track, parent };

// A detection (frame, label) as one integer.
using Node = std::uint64_t;
Node node(int frame, Label label) { return std::uint64_t(std::uint32_t(frame)) << 32 | label; }

struct EdgeKey {
    Node from, to;
    bool operator==(const EdgeKey& other) const { return from == other.from && to == other.to; }
};
struct EdgeHash {
    std::size_t operator()(const EdgeKey& e) const { return std::hash<Node>()(e.from * 0x9E3779B97F4A7C15ull ^ e.to); }
};
using EdgeMap = std::unordered_map<EdgeKey, Link, EdgeHash>;

// The edges of one graph; `labels` gives the labels detected in a frame
// (increasing). A label detected in two consecutive frames is a track link;
// parent links need both ends detected.
template <class Labels>
EdgeMap edges_of(const MatchedFrames& frames, const TrackTable& tracks, Labels labels) {
    EdgeMap edges;
    const auto detected = [&](const FrameMatching& m, Label label) {
        const std::vector<Label>& present = labels(m);
        return std::binary_search(present.begin(), present.end(), label);
    };
    for (auto it = frames.begin(); it != frames.end(); ++it) {
        const auto next = std::next(it);
        if (next == frames.end() || next->first != it->first + 1) continue;
        for (Label label : labels(it->second))
            if (detected(next->second, label))
                edges.emplace(EdgeKey{node(it->first, label), node(next->first, label)}, Link::track);
    }
    for (const auto& [label, track] : tracks) {
        if (track.parent == 0) continue;
        const auto parent = tracks.find(track.parent);
        if (parent == tracks.end()) continue;
        const auto from = frames.find(parent->second.end);
        const auto to = frames.find(track.begin);
        if (from == frames.end() || to == frames.end()) continue;
        if (detected(from->second, parent->first) && detected(to->second, label))
            edges.emplace(EdgeKey{node(from->first, parent->first), node(to->first, label)}, Link::parent);
    }
    return edges;
}

// The reference node a computed node stands for: its label's unique match;
// none (0) when it matches no reference object or several.
class ComputedToReference {
public:
    explicit ComputedToReference(const MatchedFrames& frames) {
        for (const auto& [frame, matching] : frames)
            for (Label reference : matching.reference()) {
                const Label computed = matching.unique_match_of(reference);
                if (computed) map_[node(frame, computed)] = node(frame, reference);
            }
    }
    bool find(Node computed, Node& reference) const {
        const auto found = map_.find(computed);
        if (found == map_.end()) return false;
        reference = found->second;
        return true;
    }

private:
    std::unordered_map<Node, Node> map_;
};

double normalised(double cost, double empty_cost) {
    if (!(empty_cost > 0)) return std::numeric_limits<double>::quiet_NaN();
    return 1.0 - std::min(cost, empty_cost) / empty_cost;
}

}  // namespace

GraphEdits count_graph_edits(const MatchedFrames& frames, const TrackTable& reference, const TrackTable& computed) {
    GraphEdits edits;
    for (const auto& [frame, matching] : frames) {
        edits.reference_nodes += static_cast<long long>(matching.reference().size());
        for (Label r : matching.reference())
            if (!matching.match_of(r)) ++edits.false_negatives;
        for (Label c : matching.computed()) {
            const int matches = matching.matches_of(c);
            if (matches == 0) ++edits.false_positives;
            if (matches > 1) edits.splits += matches - 1;
        }
    }

    const EdgeMap reference_edges =
        edges_of(frames, reference, [](const FrameMatching& m) -> const std::vector<Label>& { return m.reference(); });
    const EdgeMap computed_edges =
        edges_of(frames, computed, [](const FrameMatching& m) -> const std::vector<Label>& { return m.computed(); });
    edits.reference_edges = static_cast<long long>(reference_edges.size());

    // Computed edges between uniquely matched nodes, carried into the
    // reference graph; the others vanish with their split or deleted nodes.
    const ComputedToReference to_reference(frames);
    long long kept = 0;
    for (const auto& [edge, link] : computed_edges) {
        EdgeKey carried{};
        if (!to_reference.find(edge.from, carried.from) || !to_reference.find(edge.to, carried.to)) continue;
        const auto found = reference_edges.find(carried);
        if (found == reference_edges.end()) {
            ++edits.redundant_edges;
            continue;
        }
        ++kept;
        if (found->second != link) ++edits.wrong_semantics;
    }
    edits.missing_edges = edits.reference_edges - kept;
    return edits;
}

double detection_accuracy(const GraphEdits& e) {
    using C = GraphEditCosts;
    const double cost = C::split * e.splits + C::false_negative * e.false_negatives +
                        C::false_positive * e.false_positives;
    return normalised(cost, C::false_negative * e.reference_nodes);
}

double tracking_accuracy(const GraphEdits& e) {
    using C = GraphEditCosts;
    const double cost = C::split * e.splits + C::false_negative * e.false_negatives +
                        C::false_positive * e.false_positives + C::redundant_edge * e.redundant_edges +
                        C::missing_edge * e.missing_edges + C::wrong_semantics * e.wrong_semantics;
    return normalised(cost, C::false_negative * e.reference_nodes + C::missing_edge * e.reference_edges);
}

double linking_accuracy(const GraphEdits& e) {
    using C = GraphEditCosts;
    const double cost =
        C::redundant_edge * e.redundant_edges + C::missing_edge * e.missing_edges + C::wrong_semantics * e.wrong_semantics;
    return normalised(cost, C::missing_edge * e.reference_edges);
}

}  // namespace ctc
