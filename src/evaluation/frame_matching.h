#pragma once
#include <map>
#include <vector>

#include "evaluation/label_overlap.h"

namespace ctc {

// The detections of one frame and which reference object each computed
// object matches. A computed object matches a reference object when it
// covers more than half of the reference object's pixels, so a reference
// object matches at most one computed object, while a computed object may
// match several (it then has to be split).
class FrameMatching {
public:
    FrameMatching() = default;
    explicit FrameMatching(const FrameOverlap& overlap);

    const std::vector<Label>& reference() const { return reference_; }  // increasing
    const std::vector<Label>& computed() const { return computed_; }    // increasing

    // The computed label matching the reference label; 0 when none does.
    Label match_of(Label reference) const;
    // How many reference labels the computed label matches.
    int matches_of(Label computed) const;
    // The computed label when it matches this reference label and no other;
    // 0 otherwise.
    Label unique_match_of(Label reference) const;

private:
    std::vector<Label> reference_;
    std::vector<Label> computed_;
    std::map<Label, Label> match_;       // reference -> computed
    std::map<Label, int> match_counts_;  // computed -> number of references
};

// The matched frames of a sequence by frame number.
using MatchedFrames = std::map<int, FrameMatching>;

}  // namespace ctc
