#include "tracker/new_contact_passes.h"

#include <algorithm>

#include "model/states/time_state.h"

namespace ostrel {

NewContactPasses::NewContactPasses(const std::vector<TrackReportPtr>& fresh, bool index_contacts)
    : fresh_(fresh) {
    if (fresh_.empty() || !fresh_.front() || !fresh_.front()->updater) return;
    stages_ = filter_stages(*fresh_.front()->updater);
    staged_ = share_updater_and_time();
    if (staged_ && index_contacts && stages_.gate) this->index_contacts();
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
        if (stages_.gate->gate_point(*fresh_[index]->contact, point)) {
            ids.push_back(index);
            points.push_back(point);
        } else {
            unplaced_.push_back(index);
        }
    }
    grid_ = std::make_unique<ContactGrid>(stages_.gate->gate_axes(), std::move(ids), std::move(points));
}

void NewContactPasses::candidates(const TrackState& timed, std::vector<std::size_t>& out) const {
    out.clear();
    GateBox box;
    if (grid_ && timed.gates && stages_.gate->gate_box(timed, grid_->variance_bound(), box)) {
        grid_->query(box, out);
        if (!unplaced_.empty()) {
            const std::size_t placed = out.size();
            out.insert(out.end(), unplaced_.begin(), unplaced_.end());
            std::inplace_merge(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(placed), out.end());
        }
        return;
    }
    out.resize(fresh_.size());
    for (std::size_t index = 0; index < out.size(); ++index) out[index] = index;
}

void NewContactPasses::extend(const HypothesisNode& leaf, std::vector<Child>& children) const {
    if (fresh_.empty()) return;
    if (!staged_) {
        for (std::size_t index = 0; index < fresh_.size(); ++index)
            if (HypothesisNodePtr child = HypothesisNode::gated_child(leaf, *fresh_[index]))
                children.emplace_back(index, std::move(child));
        return;
    }
    // The time stages, on the first contact: the plain path runs them first
    // too, so a failure among them surfaces exactly as it would there.
    TrackState timed = TrackState::extending(leaf.track_state());
    run_stages(stages_.time_stages, *fresh_.front()->contact, timed);
    candidates(timed, scratch_);
    // The rest of each pass starts from a copy of the timed state: the same
    // arithmetic, in the same order, as the whole pass on a fresh state.
    for (std::size_t index : scratch_) {
        const TrackReport& report = *fresh_[index];
        TrackState state = timed;
        run_stages(stages_.contact_stages, *report.contact, state);
        if (state.gates) children.emplace_back(index, HypothesisNode::passed_child(leaf, report, std::move(state)));
    }
}

}  // namespace ostrel
