#pragma once
#include <string>
#include <vector>

#include "evaluation/frame_matching.h"
#include "evaluation/track_table.h"

namespace eval_test {

// A one-row mask written as text: '.' is background, a digit is that label
// ("11.22" is label 1 on pixels 0-1 and label 2 on pixels 3-4).
ctc::LabelVolume row_mask(const std::string& pixels);

// Frames 0, 1, ... from the reference and computed rows of each frame.
ctc::MatchedFrames matched_frames(const std::vector<std::string>& reference, const std::vector<std::string>& computed);

// A lineage from its text, one "L B E P" line per track.
ctc::TrackTable table(const std::string& text);

}  // namespace eval_test
