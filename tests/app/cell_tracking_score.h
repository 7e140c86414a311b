#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "imaging/image.h"

// Compares a cell-tracking result (res_track.txt and one label mask per
// frame) with the ground truth of the same sequence (man_track.txt and
// man_trackNNN.tif).
namespace cell_score {

// One line "L B E P" of a lineage file.
struct LineageRow {
    std::int32_t label = 0, begin = 0, end = 0, parent = 0;
};

// Reads a lineage file, keyed by label. Throws util::Exception naming the
// file and the line when a line is not four integers or repeats a label.
std::map<std::int32_t, LineageRow> read_lineage(const std::string& path);

// Reads a 16-bit label mask.
ipc::Image<unsigned short> read_mask(const std::string& path);

// folder + "/" + prefix + frame padded with '0' to 3 digits + ".tif".
std::string mask_path(const std::string& folder, const std::string& prefix, int frame);

struct Score {
    int true_cells = 0;       // (frame, true label) pairs
    int detected_cells = 0;   // ... that some output label covers by more than half
    int true_links = 0;       // consecutive frames of a true track, and mother-to-daughter steps
    int reproduced_links = 0; // ... whose cells carry the same output label in both frames,
                              // or whose later label is a recorded daughter of the earlier one
    std::vector<std::string> missed;  // "frame F, true label L" of every undetected cell

    double detection_fraction() const { return true_cells ? double(detected_cells) / true_cells : 0; }
    double link_fraction() const { return true_links ? double(reproduced_links) / true_links : 0; }
};

// Scores frames 0 ... frames - 1 of the result in result_folder (mask000.tif
// ..., res_track.txt) against truth_folder (man_track000.tif ...,
// man_track.txt).
Score score(const std::string& truth_folder, const std::string& result_folder, int frames);

// The faults of a result's own bookkeeping: a label painted in a mask
// without a line in res_track.txt or outside its frames, a line whose label
// is painted nowhere, a line ending before it begins, and a daughter whose
// parent is unlisted or does not end in the frame before the daughter
// begins. Empty when the result is consistent.
std::vector<std::string> lineage_mask_mismatches(const std::string& result_folder, int frames);

// Where the result differs from the truth beyond the numbering of labels:
// every true label (0, the background, included) must meet exactly one
// output label in every pixel of every frame, one-to-one, and every true
// track's line must reappear with the same frames and the mapped parent.
// Empty when the result is the truth relabelled.
std::vector<std::string> relabeling_mismatches(const std::string& truth_folder, const std::string& result_folder,
                                               int frames);

}  // namespace cell_score
