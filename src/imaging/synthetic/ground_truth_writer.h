#pragma once
#include <string>
#include <vector>

#include "imaging/synthetic/synthetic_sequence.h"

namespace synth {

// File name of frame `frame`: prefix + the number padded to 3 digits +
// ".tif" ("t007.tif", "man_track012.tif").
std::string frame_file_name(const std::string& prefix, int frame);

// The lineage table: one line "L B E P" per track, in the order given.
std::string track_table(const std::vector<TrackRecord>& tracks);

// Writes the ground truth into folder (which must exist): "man_track.txt"
// and one 16-bit label mask "man_trackNNN.tif" per frame.
void write_ground_truth(const CellSequence& sequence, const std::string& folder);

}  // namespace synth
