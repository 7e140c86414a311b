#pragma once
#include "evaluation/frame_matching.h"
#include "evaluation/track_table.h"

namespace ctc {

// The biologically inspired measures of the challenge. A reference track is
// followed in a frame by the computed label that matches it there alone
// (none when it is missed or merged with another cell). Each is NaN when it
// is undefined (see each).

// CT = 2 T_rc / (T_r + T_c): T_r and T_c count the reference and computed
// tracks, T_rc the reference tracks that one computed track follows in every
// frame of the reference track and that begins and ends with it. NaN with no
// track at all.
double complete_tracks(const MatchedFrames& frames, const TrackTable& reference, const TrackTable& computed);

// TF: for each reference track followed in at least one frame, the longest
// run of consecutive frames in which one computed label follows it, as a
// fraction of the track's length; the mean of these. NaN when no reference
// track is followed at all.
double track_fractions(const MatchedFrames& frames, const TrackTable& reference);

// BC(i): the F1 score of division detection, where a computed division (a
// track with two or more children) is correct when its parent ends within
// i frames of a reference division's parent, follows it in the earlier of
// the two end frames, and its children pair one to one with the reference
// children, each beginning within i frames of its partner and following it
// in the later of the two begin frames. NaN when the reference has no
// division.
double branching_correctness(const MatchedFrames& frames, const TrackTable& reference, const TrackTable& computed,
                             int tolerance);

// CCA = 1 - max |F_r - F_c|, the largest distance between the cumulative
// distributions of the cell-cycle lengths (frames of tracks that begin with
// a division and end with one) of the reference and of the computed result.
// NaN when the reference has no whole cell cycle; 0 when the result has none.
double cell_cycle_accuracy(const TrackTable& reference, const TrackTable& computed);

}  // namespace ctc
