#pragma once
#include <map>
#include <string>
#include <vector>

#include "evaluation/track_table.h"

namespace ctc {

// What one mask of a result holds: its file name (for messages) and the
// labels painted in it, in increasing order.
struct MaskLabels {
    std::string name;
    std::vector<Label> labels;
};

// The faults that make a result unacceptable to the challenge's tools,
// given its lineage and the masks of its frames (by frame number):
//   - a parent that res_track.txt does not list, or that does not end
//     before its child begins;
//   - a label of res_track.txt missing from a frame between its begin and
//     end (or a frame there without a mask);
//   - a label painted in a mask that res_track.txt does not list, or
//     outside its frames.
// Each fault is one sentence; empty when the result is valid. At most
// `limit` faults are listed.
std::vector<std::string> result_problems(const TrackTable& tracks, const std::map<int, MaskLabels>& masks,
                                         std::size_t limit = 100);

// Reads a result folder (res_track.txt and every maskNNN.tif in it) and
// lists its faults as above; a folder without res_track.txt or without
// masks, an unreadable mask, and masks of different sizes are faults too.
std::vector<std::string> validate_result_folder(const std::string& folder, std::size_t limit = 100);

}  // namespace ctc
