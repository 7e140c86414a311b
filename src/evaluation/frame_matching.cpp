#include "evaluation/frame_matching.h"

namespace ctc {

namespace {

std::vector<Label> labels_of(const std::vector<std::pair<Label, Pixels>>& areas) {
    std::vector<Label> labels;
    labels.reserve(areas.size());
    for (const auto& entry : areas) labels.push_back(entry.first);
    return labels;
}

}  // namespace

FrameMatching::FrameMatching(const FrameOverlap& overlap)
    : reference_(labels_of(overlap.reference_areas)), computed_(labels_of(overlap.computed_areas)) {
    std::map<Label, Pixels> area(overlap.reference_areas.begin(), overlap.reference_areas.end());
    for (const Intersection& shared : overlap.intersections) {
        // |R ∩ C| > |R| / 2, in integers
        if (2 * shared.pixels <= area.at(shared.reference)) continue;
        match_[shared.reference] = shared.computed;
        ++match_counts_[shared.computed];
    }
}

Label FrameMatching::match_of(Label reference) const {
    const auto found = match_.find(reference);
    return found == match_.end() ? 0 : found->second;
}

int FrameMatching::matches_of(Label computed) const {
    const auto found = match_counts_.find(computed);
    return found == match_counts_.end() ? 0 : found->second;
}

Label FrameMatching::unique_match_of(Label reference) const {
    const Label computed = match_of(reference);
    return computed && matches_of(computed) == 1 ? computed : 0;
}

}  // namespace ctc
