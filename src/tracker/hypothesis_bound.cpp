#include "tracker/hypothesis_bound.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>

#include "util/exception.h"

namespace ostrel {
namespace {

// NaN ranks below everything, as in the assignment program.
double rank_score(double score) {
    return std::isnan(score) ? -std::numeric_limits<double>::infinity() : score;
}

std::string text(double value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

}  // namespace

void HypothesisLimits::validate() const {
    if (per_track < 1)
        throw util::Exception("maximum_hypotheses_per_track must be at least 1: "
                              "maximum_hypotheses_per_track = " + std::to_string(per_track));
    if (contacts_per_hypothesis < 1)
        throw util::Exception("maximum_contacts_per_hypothesis must be at least 1: "
                              "maximum_contacts_per_hypothesis = " +
                              std::to_string(contacts_per_hypothesis));
    if (!(ratio >= 0.0 && ratio < 1.0))
        throw util::Exception("hypothesis_ratio must be at least 0 and less than 1: "
                              "hypothesis_ratio = " + text(ratio));
}

bool bound_track(const std::vector<BoundCandidate>& candidates, const HypothesisLimits& limits,
                 std::vector<char>& keep) {
    keep.assign(candidates.size(), 1);
    std::vector<std::size_t> open;  // the prunable ones
    for (std::size_t k = 0; k < candidates.size(); ++k)
        if (candidates[k].prunable) open.push_back(k);
    if (open.empty()) return false;
    const bool ratio_prune = limits.ratio > 0.0;
    if (!ratio_prune && open.size() <= static_cast<std::size_t>(limits.per_track)) return false;

    // The best contact-free hypothesis (the first among equals) stays.
    std::size_t protect = candidates.size();
    double best = -std::numeric_limits<double>::infinity();
    for (std::size_t k : open) {
        const double score = rank_score(candidates[k].score);
        best = std::max(best, score);
        if (candidates[k].contact_free &&
            (protect == candidates.size() || score > rank_score(candidates[protect].score)))
            protect = k;
    }

    // Score-ratio prune: likelihood below ratio * best, that is
    // score < best + ln(ratio).
    std::vector<std::size_t> left;
    left.reserve(open.size());
    const double floor = ratio_prune ? best + std::log(limits.ratio) : -std::numeric_limits<double>::infinity();
    for (std::size_t k : open)
        if (k == protect || !(rank_score(candidates[k].score) < floor)) left.push_back(k);

    // At most per_track, best first (the earlier among equals).
    const std::size_t limit = static_cast<std::size_t>(limits.per_track);
    if (left.size() > limit) {
        std::stable_sort(left.begin(), left.end(), [&candidates](std::size_t a, std::size_t b) {
            return rank_score(candidates[a].score) > rank_score(candidates[b].score);
        });
        const bool protected_kept =
            protect == candidates.size() ||
            std::find(left.begin(), left.begin() + static_cast<std::ptrdiff_t>(limit), protect) !=
                left.begin() + static_cast<std::ptrdiff_t>(limit);
        left.resize(limit);
        if (!protected_kept) left.back() = protect;
    }
    if (left.size() == open.size()) return false;
    for (std::size_t k : open) keep[k] = 0;
    for (std::size_t k : left) keep[k] = 1;
    return true;
}

}  // namespace ostrel
