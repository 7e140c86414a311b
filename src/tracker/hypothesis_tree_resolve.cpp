// HypothesisTree::resolve: chooses the global hypothesis and commits the
// oldest level of the window.
#include <algorithm>
#include <iostream>

#include "tracker/hypothesis_tree.h"
#include "tracker/node_release.h"
#include "util/exception.h"

namespace ostrel {

void HypothesisTree::resolve() {
    if (frames_.size() < 2) throw util::Exception("attempt to resolve with only one frame");
    if (needs_solve()) choose();
    commit_heads();
    frames_.pop_front();
    // The index of the oldest frame still in the window.
    const std::int32_t oldest = frame_index_ - static_cast<std::int32_t>(frames_.size()) + 1;
    settle_tentative_roots(oldest);
    drop_terminated_heads();
    sweep();
    release_nodes(released_);
}

// Without a committed track, or with no choice under any of them, every
// node keeps the resolution id it was stamped with and nothing is solved.
bool HypothesisTree::needs_solve() const {
    return std::any_of(heads_.begin(), heads_.end(),
                       [](const HypothesisNodePtr& head) { return head->children.size() != 1; });
}

// Solves the 0-1 program and marks the chosen hypotheses and all their
// ancestors with the new resolution counter.
void HypothesisTree::choose() {
    const BinaryProgram program = build_program();
    const std::vector<int> chosen = solver_.solve(program, resolution_counter_ + 1);
    if (solver_.bounded()) report_program_bound();
    if (solver_.stopped_early()) report_search_limit();
    ++resolution_counter_;
    for (int column : chosen) {
        // A node already marked has its whole ancestry marked too.
        for (HypothesisNode* node = column_nodes_.at(column);
             node && node->resolution_id != resolution_counter_; node = node->parent)
            node->resolution_id = resolution_counter_;
    }
}

void HypothesisTree::report_program_bound() {
    if (program_bound_warned_) return;
    program_bound_warned_ = true;
    std::cout << "\nwarning: the tracker chose greedily within a cluster of more than "
              << solver_.largest_cluster()
              << " hypotheses, where solving its program would take minutes per frame, so results may differ "
                 "from the configured assignment_algorithm. To widen the bound, raise maximum_program_columns "
                 "in multiple_hypothesis_tracker (0: no limit)."
              << std::endl;
}

void HypothesisTree::report_search_limit() {
    if (search_limit_warned_) return;
    search_limit_warned_ = true;
    std::cout << "\nwarning: the \"optimal\" assignment stopped its branch and bound at the node limit in a "
                 "cluster of near-equal hypotheses and took the best cover found by then, which may not be the "
                 "optimum. Narrower gates make such clusters smaller; a lower maximum_program_columns in "
                 "multiple_hypothesis_tracker chooses greedily in clusters above it instead."
              << std::endl;
}

// Every head keeps the one child on the chosen path, which becomes the new
// head; the other children are pruned with their subtrees.
void HypothesisTree::commit_heads() {
    NodeList children;
    for (HypothesisNodePtr& head : heads_) {
        children.clear();
        children.swap(head->children);
        HypothesisNodePtr kept;
        int kept_count = 0;
        for (HypothesisNodePtr& child : children) {
            if (child->resolution_id != resolution_counter_) {
                prune_subtree(std::move(child), &released_);
                continue;
            }
            ++kept_count;
            kept = child;
            head->children.push_back(child);
        }
        if (kept_count != 1) throw util::Exception("good child found is not 1");
        if (head->children.size() != 1) throw util::Exception("children size is not 1");
        // The track now owns the contact of its new head: the contact's label
        // is filed under the track's group, whose row subsumes the label's own.
        // This holds after a coast too; leaving the label's group as a row of
        // its own would duplicate the track's row for the rest of its life
        // and skew the greedy normalisation against the track.
        if (!kept->no_contact) {
            const state::Label& label = kept->report->contact_label();
            if (head->no_contact || label != head->report->contact_label()) {
                ContactGroup* group = groups_.of_track(kept->track_number);
                if (!group)
                    throw util::Exception("no contact group recorded for track: track number = " +
                                          std::to_string(kept->track_number));
                groups_.file_label(label, *group);
            }
        }
        kept->parent = nullptr;
        head->children.clear();
        released_.push_back(std::move(head));
        head = std::move(kept);
    }
}

// The tentative tracks born in the oldest frame are confirmed when the
// last solve chose them (or when nothing was solved since they were born)
// and discarded otherwise.
void HypothesisTree::settle_tentative_roots(std::int32_t oldest_frame) {
    std::size_t settled = 0;
    for (; settled < tentative_roots_.size(); ++settled) {
        const HypothesisNodePtr& root = tentative_roots_[settled];
        if (root->created_frame > oldest_frame) break;
        if (root->resolution_id != resolution_counter_) {
            prune_subtree(root, &released_);
            continue;
        }
        heads_.push_back(root);
        const state::Label& label = root->report->contact_label();
        ContactGroup* group = groups_.find(label);
        if (!group)
            throw util::Exception("no contact group for a confirmed track: track number = " +
                                  std::to_string(root->track_number));
        groups_.record_track(*group, root->track_number);
    }
    tentative_roots_.erase(tentative_roots_.begin(),
                           tentative_roots_.begin() + static_cast<std::ptrdiff_t>(settled));
}

// A track whose committed head is terminated has ended; its last report
// was the one before.
void HypothesisTree::drop_terminated_heads() {
    auto ended = std::remove_if(heads_.begin(), heads_.end(), [this](const HypothesisNodePtr& head) {
        if (!head->terminated) return false;
        prune_subtree(head, &released_);
        return true;
    });
    heads_.erase(ended, heads_.end());
}

// One pass over each list instead of a removal per pruned node; the pruned
// nodes join the batch to be released. The groups go first: their members
// are plain pointers kept alive by the lists.
void HypothesisTree::sweep() {
    groups_.sweep(remap_);
    for (NodeList* list : {&leaves_, &zombies_, &terminated_}) {
        auto kept = list->begin();
        for (HypothesisNodePtr& node : *list) {
            if (node->pruned) {
                released_.push_back(std::move(node));
            } else {
                if (&*kept != &node) *kept = std::move(node);
                ++kept;
            }
        }
        list->erase(kept, list->end());
    }
}

}  // namespace ostrel
