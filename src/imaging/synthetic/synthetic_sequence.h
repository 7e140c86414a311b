#pragma once
#include <vector>

#include "imaging/synthetic/nucleus.h"
#include "imaging/synthetic/sequence_parameters.h"

namespace synth {

// One track of the ground truth, as a line "L B E P" of a lineage file: the
// label, its first and last frame, and the label of the mother (0 for none).
struct TrackRecord {
    int label = 0;
    int begin = 0;
    int end = 0;
    int parent = 0;
};

// The simulated truth: the nuclei of every frame (in label order) and the
// track of every label (in label order, labels 1, 2, 3, ...).
struct CellSequence {
    int width = 0;
    int height = 0;
    std::vector<std::vector<Nucleus>> frames;
    std::vector<TrackRecord> tracks;
};

// Counts of the events a sequence holds.
struct SequenceEvents {
    int tracks = 0;
    int divisions = 0;  // mothers
    int entries = 0;    // tracks without a mother that start after frame 0
    int exits = 0;      // tracks that end early without dividing
};

// Simulates nuclei that drift with smoothly varying velocity, enter across
// the image border, leave it and divide; no two nuclei ever come closer than
// 1.25 times the sum of their radii. The same parameters (seed included)
// give the same sequence. Throws util::Exception for invalid parameters or
// when the first frame's nuclei cannot be placed.
CellSequence simulate_cells(const SequenceParameters& parameters);

SequenceEvents count_events(const CellSequence& sequence);

}  // namespace synth
