#pragma once
#include <string>

#include "imaging/synthetic/sequence_parameters.h"
#include "imaging/synthetic/synthetic_sequence.h"

namespace synth {

// The two folders of a written sequence: out/images (the time-lapse,
// tNNN.tif) and out/truth (man_track.txt and man_trackNNN.tif).
struct SequenceFolders {
    std::string images;
    std::string truth;
};
SequenceFolders sequence_folders(const std::string& out);

// Creates both folders as needed. An existing folder that holds anything is
// refused unless force is set; with force, the files an earlier run wrote
// there (tNNN.tif, man_trackNNN.tif, man_track.txt) are removed first so no
// stale frame outlives a shorter run, and other files are left alone.
void prepare_sequence_folders(const SequenceFolders& folders, bool force);

// Simulates the sequence, prepares the folders, renders and writes every
// frame and the ground truth. The image noise comes from its own random
// stream derived from the seed, so the motion of a seed stays the same
// whatever the noise settings. Returns the simulated truth.
CellSequence write_sequence(const SequenceParameters& parameters, const std::string& out, bool force);

}  // namespace synth
