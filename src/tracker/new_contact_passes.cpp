#include "tracker/new_contact_passes.h"

#include <algorithm>
#include <cmath>

#include "model/states/time_state.h"

namespace ostrel {

NewContactPasses::NewContactPasses(const std::vector<TrackReportPtr>& fresh, bool index_contacts,
                                   std::size_t contact_limit)
    : fresh_(fresh), contact_limit_(contact_limit) {
    if (fresh_.empty() || !fresh_.front() || !fresh_.front()->updater) return;
    stages_ = filter_stages(*fresh_.front()->updater);
    staged_ = share_updater_and_time();
    if (staged_ && stages_.gate) this->index_contacts();
    if (!index_contacts) grid_.reset();
}

// One updater object for every contact, every contact present, and (when
// there are time stages) one time for all: then the time stages give every
// contact the same result.
bool NewContactPasses::share_updater_and_time() const {
    const Filter* updater = fresh_.front()->updater.get();
    for (const TrackReportPtr& report : fresh_)
        if (!report || !report->contact || report->updater.get() != updater) return false;
    if (stages_.time_stages.empty()) return true;
    const auto first = fresh_.front()->contact->get_ptr<state::TimeState>();
    if (!first) return false;
    for (const TrackReportPtr& report : fresh_) {
        const auto time = report->contact->get_ptr<state::TimeState>();
        if (!time || !(time->time == first->time)) return false;
    }
    return true;
}

void NewContactPasses::index_contacts() {
    std::vector<std::size_t> ids;
    std::vector<GatePoint> points;
    ids.reserve(fresh_.size());
    points.reserve(fresh_.size());
    for (std::size_t index = 0; index < fresh_.size(); ++index) {
        GatePoint point;
        const bool placed = stages_.gate->gate_point(*fresh_[index]->contact, point);
        placed_.push_back(placed);
        if (placed) {
            ids.push_back(index);
            points.push_back(point);
        } else {
            unplaced_.push_back(index);
        }
    }
    for (const GatePoint& point : points)
        for (int axis = 0; axis < kMaxGateAxes; ++axis)
            variance_bound_[axis] = std::max(variance_bound_[axis], point.variance[axis]);
    grid_ = std::make_unique<ContactGrid>(stages_.gate->gate_axes(), std::move(ids), std::move(points));
}

bool NewContactPasses::candidates(const TrackState& timed, std::vector<std::size_t>& out) const {
    out.clear();
    GateBox box;
    const bool bounded = !placed_.empty() && timed.gates &&
                         stages_.gate->gate_box(timed, variance_bound_,
                                                box);
    if (bounded && grid_) {
        grid_->query(box, out, false);
        out.insert(out.end(), unplaced_.begin(), unplaced_.end());
        // More than the limit: limit_contacts ranks them and leaves the kept
        // ones in increasing order, so sorting here would be wasted.
        if (contact_limit_ > 0 && out.size() > contact_limit_) return limit_contacts(timed, out);
        std::sort(out.begin(), out.end());
        return false;
    }
    out.resize(fresh_.size());
    for (std::size_t index = 0; index < out.size(); ++index) out[index] = index;
    if (bounded && contact_limit_ > 0 && out.size() > contact_limit_) return limit_contacts(timed, out);
    return false;
}

// Keeps the contacts the gate cannot place, and of the others those whose
// distance is below the gate's threshold (the rest would close the gate),
// at most `contact_limit_` of them: the nearest, the lower index first
// among equals. The same set with the index on or off.
bool NewContactPasses::limit_contacts(const TrackState& timed, std::vector<std::size_t>& out) const {
    ranked_.clear();
    const double threshold = stages_.gate->gate_threshold();
    std::size_t kept = 0;
    gated_contacts_.clear();
    for (std::size_t index : out)
        if (placed_[index]) gated_contacts_.push_back(fresh_[index]->contact.get());
    stages_.gate->gate_distances(gated_contacts_, timed, distances_);
    std::size_t next = 0;
    for (std::size_t at = 0; at < out.size(); ++at) {
        const std::size_t index = out[at];  // kept <= at: out[at] is still unread
        if (!placed_[index]) {
            out[kept++] = index;
            continue;
        }
        const double distance = distances_[next++];
        if (std::isnan(distance))
            out[kept++] = index;  // not comparable: the pass decides
        else if (distance < threshold)
            ranked_.emplace_back(distance, index);
    }
    out.resize(kept);
    bool limited = false;
    if (ranked_.size() > contact_limit_) {
        std::nth_element(ranked_.begin(), ranked_.begin() + static_cast<std::ptrdiff_t>(contact_limit_),
                         ranked_.end());
        ranked_.resize(contact_limit_);
        limited = true;
    }
    for (const auto& entry : ranked_) out.push_back(entry.second);
    std::sort(out.begin(), out.end());
    return limited;
}

bool NewContactPasses::extend(const HypothesisNode& leaf, std::vector<Child>& children) const {
    if (fresh_.empty()) return false;
    if (!staged_) {
        for (std::size_t index = 0; index < fresh_.size(); ++index)
            if (HypothesisNodePtr child = HypothesisNode::gated_child(leaf, *fresh_[index]))
                children.emplace_back(index, std::move(child));
        return false;
    }
    // The time stages, on the first contact: the plain path runs them first
    // too, so a failure among them surfaces exactly as it would there.
    TrackState timed = TrackState::extending(leaf.track_state());
    run_stages(stages_.time_stages, *fresh_.front()->contact, timed);
    const bool limited = candidates(timed, scratch_);
    // The rest of each pass starts from the timed state: the same
    // arithmetic, in the same order, as the whole pass on a fresh state.
    for (std::size_t k = 0; k < scratch_.size(); ++k) {
        const std::size_t index = scratch_[k];
        const TrackReport& report = *fresh_[index];
        // The last candidate (most often the only one) takes the timed state
        // itself: a copy would cost an allocation and a count per state.
        TrackState state = k + 1 < scratch_.size() ? timed : std::move(timed);
        run_stages(stages_.contact_stages, *report.contact, state);
        if (state.gates) children.emplace_back(index, HypothesisNode::passed_child(leaf, report, std::move(state)));
    }
    return limited;
}

}  // namespace ostrel
