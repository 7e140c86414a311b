#pragma once
#include <string>
#include <vector>

#include "evaluation/graph_edit_measures.h"
#include "util/exception.h"

namespace ctc {

// The ground truth cannot be read (as opposed to a result that is invalid).
class GroundTruthError : public util::Exception {
public:
    using util::Exception::Exception;
};

struct Measure {
    std::string name;
    double value = 0;  // NaN when undefined for this ground truth
};

struct Evaluation {
    std::vector<std::string> problems;  // why the result is invalid; empty when it is valid
    std::vector<Measure> measures;      // DET, TRA, LNK, BC(0) ... BC(3), CT, TF, CCA[, SEG]
    GraphEdits edits;
};

// At most this many faults of an invalid result are listed.
constexpr std::size_t fault_limit = 100;

// Scores the result in res_dir (res_track.txt, maskNNN.tif) against the
// ground truth in gt_dir: TRA/man_track.txt with TRA/man_trackNNN.tif (or
// the same files directly in gt_dir), and optionally SEG/man_segNNN.tif
// (man_seg_NNN_ZZZ.tif for one slice of a 3-D frame). The result is
// validated first: every reference frame needs a mask of the same size, and
// masks and lineage must agree (see result_problems); when it is invalid,
// only the problems are returned. Masks are 2-D images or 3-D stacks.
// Throws GroundTruthError when the ground truth cannot be read.
Evaluation evaluate_sequence(const std::string& gt_dir, const std::string& res_dir);

}  // namespace ctc
