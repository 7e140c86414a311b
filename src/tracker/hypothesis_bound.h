#pragma once
#include <cstdint>
#include <vector>

namespace ostrel {

// The bound on the hypotheses of one track, applied at every scan to the
// new hypotheses of each track (standard MHT practice): a score-ratio prune
// and at most a fixed number kept by score. Terminated and zombie
// hypotheses are never pruned, and neither is the best hypothesis that has
// taken no new contact since the track's committed head (or root): every
// track keeps one hypothesis that explains none of the contacts other
// tracks may claim, so the assignment always has a solution.
struct HypothesisLimits {
    // "maximum_hypotheses_per_track": at least 1.
    std::int32_t per_track = 64;
    // "maximum_contacts_per_hypothesis": at least 1; when more new contacts
    // lie inside a hypothesis's gate, only the nearest (by the gate's own
    // distance) extend it.
    std::int32_t contacts_per_hypothesis = 16;
    // "hypothesis_ratio": a hypothesis whose likelihood is below this
    // fraction of the best of its track is pruned; 0 turns the prune off.
    // In [0, 1).
    double ratio = 0.0;

    // Throws util::Exception naming the parameter and its value.
    void validate() const;
};

// One new hypothesis of a track, in the order the tree made them.
struct BoundCandidate {
    double score;
    // False for terminated and zombie hypotheses: they are always kept.
    bool prunable;
    // True when it has taken no new contact since the track's head.
    bool contact_free;
};

// Marks in `keep` (resized to match) the candidates to keep; returns true
// when any was pruned.
bool bound_track(const std::vector<BoundCandidate>& candidates, const HypothesisLimits& limits,
                 std::vector<char>& keep);

}  // namespace ostrel
