#pragma once
#include <string>

// Scores a cell-tracking result (res_track.txt and maskNNN.tif) against its
// ground truth (man_track.txt and man_trackNNN.tif) the way the Cell
// Tracking Challenge does, for the tests of the lineage stage:
//
// TRA = 1 - min(AOGM, AOGM0) / AOGM0: the weighted count of graph edits
// that turn the result's acyclic graph into the truth's (a node split 5, a
// missed cell 10, a false cell 1, an edge to delete 1, to add 1.5, to change
// from a track link to a parent link or back 1), against building the truth
// from nothing (10 per cell, 1.5 per link). A result cell matches the true
// cell it covers by more than half.
//
// Division F1 at the exact frame: a result division (a label with two or
// more daughters that begin in the same frame) is found when its mother's
// last cell and its daughters' first cells match those of a true division
// that happens in the same frame.
namespace lineage_score {

struct Score {
    int true_cells = 0;
    int true_links = 0;
    double aogm = 0.0;
    int true_divisions = 0;
    int result_divisions = 0;
    int found_divisions = 0;

    double tra() const;
    double division_f1() const;
    std::string summary() const;
};

Score score(const std::string& truth_folder, const std::string& result_folder, int frames);

}  // namespace lineage_score
