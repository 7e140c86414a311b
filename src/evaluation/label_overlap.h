#pragma once
#include <cstdint>
#include <utility>
#include <vector>

#include "evaluation/track_table.h"
#include "imaging/image_3d.h"

namespace ctc {

// A label mask: a 2-D mask is a stack of one slice.
using LabelVolume = ipc::Image3d<unsigned short>;

using Pixels = std::uint64_t;

struct Intersection {
    Label reference = 0;
    Label computed = 0;
    Pixels pixels = 0;
};

// How the objects of a reference mask and a computed mask of the same size
// cover each other. Background (0) is left out everywhere.
struct FrameOverlap {
    std::vector<std::pair<Label, Pixels>> reference_areas;  // by increasing label
    std::vector<std::pair<Label, Pixels>> computed_areas;   // by increasing label
    std::vector<Intersection> intersections;                // by increasing (reference, computed)
};

// Counts areas and intersections in one pass over the pixels. Throws
// util::Exception when the masks differ in size.
FrameOverlap overlap(const LabelVolume& reference, const LabelVolume& computed);

// The labels present in a mask, in increasing order.
std::vector<Label> labels_present(const LabelVolume& mask);

// "W x H" or "W x H x D" for messages.
std::string size_text(const LabelVolume& mask);

}  // namespace ctc
