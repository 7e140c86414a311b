#pragma once
#include <vector>

#include "imaging/synthetic/colony/rod.h"

namespace synth::colony {

// Pushes overlapping rods apart until every pair at most touches (up to a
// small tolerance after `iterations` sweeps). Each rod is moved as a rigid
// body: a push at its contact point both shifts and turns it, and a long rod
// yields less than a short one. Lengths, radii and labels are kept.
void separate_rods(std::vector<Rod>& rods, int iterations);

// The gap between two rods: the distance of their axes minus the sum of
// their radii (negative when they overlap).
double gap_between(const Rod& a, const Rod& b);

// The largest overlap (sum of radii minus axis distance) between any two
// rods; 0 when none overlap.
double largest_overlap(const std::vector<Rod>& rods);

}  // namespace synth::colony
