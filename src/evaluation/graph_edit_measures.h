#pragma once
#include "evaluation/frame_matching.h"
#include "evaluation/track_table.h"

namespace ctc {

// The operations that turn the computed tracking graph into the reference
// graph. Nodes are (frame, label) detections; edges are track links between
// a label's detections in consecutive frames and parent links from a
// parent's last detection to its child's first.
struct GraphEdits {
    long long splits = 0;             // NS: extra reference objects a computed object matches
    long long false_negatives = 0;    // FN: reference objects no computed object matches
    long long false_positives = 0;    // FP: computed objects that match no reference object
    long long redundant_edges = 0;    // ED: edges between uniquely matched nodes the reference lacks
    long long missing_edges = 0;      // EA: reference edges the computed graph lacks
    long long wrong_semantics = 0;    // EC: edges that are track links in one graph, parent links in the other
    long long reference_nodes = 0;
    long long reference_edges = 0;
};

// Counts the edits over the matched frames, with the reference and computed
// lineages.
GraphEdits count_graph_edits(const MatchedFrames& frames, const TrackTable& reference, const TrackTable& computed);

// Costs of the operations (node split, false negative, false positive, edge
// deletion, edge addition, edge semantics change).
struct GraphEditCosts {
    static constexpr double split = 5, false_negative = 10, false_positive = 1;
    static constexpr double redundant_edge = 1, missing_edge = 1.5, wrong_semantics = 1;
};

// DET = 1 - min(AOGM-D, AOGM-D0) / AOGM-D0, AOGM-D0 = 10 * reference nodes.
double detection_accuracy(const GraphEdits& edits);
// TRA = 1 - min(AOGM, AOGM0) / AOGM0, AOGM0 = 10 * nodes + 1.5 * edges.
double tracking_accuracy(const GraphEdits& edits);
// LNK = 1 - min(AOGM-A, AOGM-A0) / AOGM-A0, AOGM-A0 = 1.5 * reference edges.
// Each is NaN when its empty-result cost is 0.
double linking_accuracy(const GraphEdits& edits);

}  // namespace ctc
