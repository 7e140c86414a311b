#pragma once
#include <algorithm>
#include <string>

// A tracking-accuracy measure in the manner of the cell-tracking challenge's
// TRA: the weighted count of graph edits that turn the result's lineage
// graph into the truth's, against the cost of building the truth from
// nothing. Nodes are (frame, label) pairs of the masks; a result node
// matches the true node whose pixels it covers by more than half. Edges link
// a label's successive frames and a mother's last frame to a daughter's
// first. Weights: split 5, false negative 10, false positive 1, edge
// deletion 1, edge addition 1.5, edge of the wrong kind 1.
namespace tra {

struct Measure {
    int true_nodes = 0, true_edges = 0;
    int splits = 0, false_negatives = 0, false_positives = 0;
    int deleted_edges = 0, added_edges = 0, changed_edges = 0;

    double aogm() const {
        return 5.0 * splits + 10.0 * false_negatives + false_positives + deleted_edges + 1.5 * added_edges +
               changed_edges;
    }
    double from_nothing() const { return 10.0 * true_nodes + 1.5 * true_edges; }
    // 1 for a perfect result, 0 for one no better than nothing.
    double tra() const {
        const double empty = from_nothing();
        return empty > 0 ? 1.0 - std::min(aogm(), empty) / empty : 0.0;
    }
};

// Frames 0 ... frames - 1 of result_folder (mask000.tif ..., res_track.txt)
// against truth_folder (man_track000.tif ..., man_track.txt).
Measure measure(const std::string& truth_folder, const std::string& result_folder, int frames);

}  // namespace tra
