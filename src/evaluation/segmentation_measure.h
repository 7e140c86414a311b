#pragma once
#include <vector>

#include "evaluation/label_overlap.h"

namespace ctc {

// Sums the segmentation accuracy over annotated frames: every reference
// object scores the Jaccard index |R ∩ S| / |R ∪ S| with the computed object
// S covering more than half of it, or 0 when none does.
class SegmentationScore {
public:
    void add(const FrameOverlap& overlap);
    // SEG: the mean score of all reference objects; NaN with none.
    double mean() const;

private:
    double sum_ = 0;
    long long objects_ = 0;
};

}  // namespace ctc
