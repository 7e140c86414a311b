#include "evaluation/lineage_measures.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <set>
#include <vector>

namespace ctc {

namespace {

constexpr double undefined = std::numeric_limits<double>::quiet_NaN();

// The computed label following the reference track in each of its frames
// (0 where none does, including frames that were not evaluated).
std::vector<Label> followers(const MatchedFrames& frames, const TrackRecord& track) {
    std::vector<Label> result;
    result.reserve(static_cast<std::size_t>(track.end - track.begin + 1));
    for (int frame = track.begin; frame <= track.end; ++frame) {
        const auto found = frames.find(frame);
        result.push_back(found == frames.end() ? 0 : found->second.unique_match_of(track.label));
    }
    return result;
}

// The tracks that end in a division, with their children in label order.
std::map<Label, std::vector<Label>> divisions(const TrackTable& tracks) {
    std::map<Label, std::vector<Label>> children;
    for (const auto& [label, track] : tracks)
        if (track.parent != 0 && tracks.count(track.parent)) children[track.parent].push_back(label);
    for (auto it = children.begin(); it != children.end();)
        it = it->second.size() < 2 ? children.erase(it) : std::next(it);
    return children;
}

bool follows_at(const MatchedFrames& frames, int frame, Label reference, Label computed) {
    const auto found = frames.find(frame);
    return found != frames.end() && found->second.match_of(reference) == computed;
}

// Whether the reference children pair one to one with the computed
// children (augmenting paths over the few candidate pairs).
bool children_pair(const std::vector<std::vector<std::size_t>>& candidates, std::size_t computed_count) {
    std::vector<int> owner(computed_count, -1);
    for (std::size_t r = 0; r < candidates.size(); ++r) {
        std::vector<bool> seen(computed_count, false);
        std::function<bool(std::size_t)> assign = [&](std::size_t ref) {
            for (std::size_t c : candidates[ref]) {
                if (seen[c]) continue;
                seen[c] = true;
                if (owner[c] < 0 || assign(static_cast<std::size_t>(owner[c]))) {
                    owner[c] = static_cast<int>(ref);
                    return true;
                }
            }
            return false;
        };
        if (!assign(r)) return false;
    }
    return true;
}

bool divisions_match(const MatchedFrames& frames, const TrackTable& reference, const TrackTable& computed,
                     Label ref_parent, const std::vector<Label>& ref_children, Label comp_parent,
                     const std::vector<Label>& comp_children, int tolerance) {
    if (ref_children.size() != comp_children.size()) return false;
    const int ref_end = reference.at(ref_parent).end, comp_end = computed.at(comp_parent).end;
    if (std::abs(ref_end - comp_end) > tolerance) return false;
    if (!follows_at(frames, std::min(ref_end, comp_end), ref_parent, comp_parent)) return false;
    std::vector<std::vector<std::size_t>> candidates(ref_children.size());
    for (std::size_t r = 0; r < ref_children.size(); ++r)
        for (std::size_t c = 0; c < comp_children.size(); ++c) {
            const int ref_begin = reference.at(ref_children[r]).begin;
            const int comp_begin = computed.at(comp_children[c]).begin;
            if (std::abs(ref_begin - comp_begin) <= tolerance &&
                follows_at(frames, std::max(ref_begin, comp_begin), ref_children[r], comp_children[c]))
                candidates[r].push_back(c);
        }
    return children_pair(candidates, comp_children.size());
}

// Lengths in frames of the tracks that begin and end with a division.
std::vector<int> cell_cycles(const TrackTable& tracks) {
    const auto dividing = divisions(tracks);
    std::vector<int> lengths;
    for (const auto& [label, track] : tracks)
        if (dividing.count(label) && dividing.count(track.parent)) lengths.push_back(track.end - track.begin + 1);
    std::sort(lengths.begin(), lengths.end());
    return lengths;
}

// The empirical cumulative distribution of sorted values at x.
double cumulative(const std::vector<int>& sorted, int x) {
    const auto count = std::upper_bound(sorted.begin(), sorted.end(), x) - sorted.begin();
    return static_cast<double>(count) / static_cast<double>(sorted.size());
}

}  // namespace

double complete_tracks(const MatchedFrames& frames, const TrackTable& reference, const TrackTable& computed) {
    const std::size_t all = reference.size() + computed.size();
    if (all == 0) return undefined;
    std::size_t complete = 0;
    for (const auto& [label, track] : reference) {
        const std::vector<Label> follow = followers(frames, track);
        const Label first = follow.front();
        if (first == 0 || std::any_of(follow.begin(), follow.end(), [&](Label l) { return l != first; })) continue;
        const TrackRecord& other = computed.count(first) ? computed.at(first) : TrackRecord{};
        if (other.begin == track.begin && other.end == track.end) ++complete;
    }
    // CT = 2 T_rc / (T_r + T_c)
    return 2.0 * static_cast<double>(complete) / static_cast<double>(all);
}

double track_fractions(const MatchedFrames& frames, const TrackTable& reference) {
    double sum = 0;
    std::size_t followed = 0;
    for (const auto& [label, track] : reference) {
        const std::vector<Label> follow = followers(frames, track);
        std::size_t longest = 0, run = 0;
        for (std::size_t k = 0; k < follow.size(); ++k) {
            run = follow[k] == 0 ? 0 : (k > 0 && follow[k] == follow[k - 1] ? run + 1 : 1);
            longest = std::max(longest, run);
        }
        if (longest == 0) continue;
        ++followed;
        sum += static_cast<double>(longest) / static_cast<double>(follow.size());
    }
    return followed ? sum / static_cast<double>(followed) : undefined;
}

double branching_correctness(const MatchedFrames& frames, const TrackTable& reference, const TrackTable& computed,
                             int tolerance) {
    const auto ref_divisions = divisions(reference);
    const auto comp_divisions = divisions(computed);
    if (ref_divisions.empty()) return undefined;
    std::set<Label> paired_reference;
    std::size_t correct = 0;
    for (const auto& [comp_parent, comp_children] : comp_divisions)
        for (const auto& [ref_parent, ref_children] : ref_divisions) {
            if (paired_reference.count(ref_parent)) continue;
            if (!divisions_match(frames, reference, computed, ref_parent, ref_children, comp_parent, comp_children,
                                 tolerance))
                continue;
            paired_reference.insert(ref_parent);
            ++correct;
            break;
        }
    // F1 = 2 TP / (2 TP + FP + FN) = 2 TP / (computed + reference divisions)
    return 2.0 * static_cast<double>(correct) / static_cast<double>(ref_divisions.size() + comp_divisions.size());
}

double cell_cycle_accuracy(const TrackTable& reference, const TrackTable& computed) {
    const std::vector<int> ref_cycles = cell_cycles(reference);
    if (ref_cycles.empty()) return undefined;
    const std::vector<int> comp_cycles = cell_cycles(computed);
    if (comp_cycles.empty()) return 0;
    double largest = 0;
    for (const auto* values : {&ref_cycles, &comp_cycles})
        for (int x : *values)
            largest = std::max(largest, std::abs(cumulative(ref_cycles, x) - cumulative(comp_cycles, x)));
    return 1.0 - largest;
}

}  // namespace ctc
