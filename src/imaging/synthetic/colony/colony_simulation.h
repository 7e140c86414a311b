#pragma once
#include <vector>

#include "imaging/synthetic/colony/colony_parameters.h"
#include "imaging/synthetic/colony/rod.h"
#include "imaging/synthetic/synthetic_sequence.h"

namespace synth::colony {

// The simulated truth: the rods of every frame (in label order) and the
// track of every label (labels 1, 2, 3, ..., in label order).
struct ColonySequence {
    int width = 0;
    int height = 0;
    std::vector<std::vector<Rod>> frames;
    std::vector<TrackRecord> tracks;
};

// Grows a colony from `founders` rods near the image centre: every rod
// elongates exponentially at its own rate (doubling its length in about
// doubling_time frames), divides across its middle into two touching
// daughters once it reaches its own division length, and is pushed, turned
// and pushed back by its neighbours, so that no two rods overlap by more
// than a sliver. A rod whose centre leaves the image ends there. The same
// parameters (seed included) give the same sequence. Throws util::Exception
// for invalid parameters or when the founders cannot be placed.
ColonySequence simulate_colony(const ColonyParameters& parameters);

// Rods alive in the last frame.
inline std::size_t final_population(const ColonySequence& sequence) {
    return sequence.frames.empty() ? 0 : sequence.frames.back().size();
}

}  // namespace synth::colony
