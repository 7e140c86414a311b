#pragma once
#include <string>

#include "imaging/synthetic/colony/colony_simulation.h"

namespace synth::colony {

// Simulates the colony and writes it as the nucleus generator writes its
// sequences: out/images/tNNN.tif (fluorescence) and out/truth (man_track.txt
// and the label masks man_trackNNN.tif). The folders are prepared as for the
// nuclei (a non-empty one is refused unless force is set). The image noise
// has its own random stream derived from the seed. Returns the simulated
// truth.
ColonySequence write_colony(const ColonyParameters& parameters, const std::string& out, bool force);

}  // namespace synth::colony
