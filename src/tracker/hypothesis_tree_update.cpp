// HypothesisTree::update: grows one level of hypotheses per frame.
#include <iostream>
#include <algorithm>
#include <set>

#include "tracker/hypothesis_tree.h"
#include "tracker/new_contact_passes.h"
#include "util/exception.h"

namespace ostrel {
namespace {

const TrackReport& frame_report(const TrackReportPtr& report, const char* name) {
    if (!report) throw util::Exception(std::string("track report frame has no ") + name);
    return *report;
}

}  // namespace

void HypothesisTree::update(const util::CountedPtr<frame::Frame>& frame) {
    auto reports = frame::cast<frame::TrackReportFrame>(frame);
    ++frame_index_;
    frames_.push_back(frame);

    std::vector<TrackReportPtr> fresh;
    std::vector<LabelledContact> labelled;
    partition(*reports, fresh, labelled);
    ReinitiationSet reinitiation;
    continue_labelled(labelled, reinitiation);
    reinitiate(reinitiation, fresh);
    carry_zombies(*reports);
    NodeList next_leaves;
    next_leaves.reserve(leaves_.size() + fresh.size());
    extend_leaves(*reports, fresh, next_leaves);
    start_tracks(fresh, next_leaves);
    leaves_.swap(next_leaves);
    groups_.advance();
}

// A contact whose label the tree does not know is new; one it knows is
// filed under its mapped label and continues the track(s) of that label.
void HypothesisTree::partition(const frame::TrackReportFrame& frame,
                               std::vector<TrackReportPtr>& fresh,
                               std::vector<LabelledContact>& labelled) {
    for (const TrackReportPtr& report : frame.track_reports) {
        const state::Label arrived = report->contact_label();
        const state::Label* filed = remap_.find(arrived);
        // The frame's own reports are never changed: a report that needs a
        // new label is copied first; one that keeps its label is shared.
        if (!filed) {
            remap_.insert_identity(arrived);
            fresh.push_back(report);
            continue;
        }
        TrackReportPtr copy = report;
        if (*filed != arrived) {
            copy = std::make_shared<TrackReport>(*report);
            copy->relabel(*filed);
        }
        labelled.push_back(LabelledContact{std::move(copy), arrived});
    }
}

// Extends every member of a labelled contact's group by its continuation
// updater. The contact is re-initiated instead when its group holds a
// terminated or zombie member, when any continuation fails its gate, or
// when a member would get two continuations (two contacts for one track).
void HypothesisTree::continue_labelled(const std::vector<LabelledContact>& labelled,
                                       ReinitiationSet& reinitiation) {
    auto hold_back = [&reinitiation](const LabelledContact& contact) {
        // At most one report per filed label: the first one stays.
        reinitiation.emplace(contact.report->contact_label(), contact);
    };
    // (member, index of the labelled contact) of every continuation kept.
    std::vector<std::pair<HypothesisNode*, std::size_t>> continued;
    std::vector<std::pair<HypothesisNode*, std::size_t>> this_contact;

    for (std::size_t index = 0; index < labelled.size(); ++index) {
        const LabelledContact& contact = labelled[index];
        ContactGroup* group = groups_.find(contact.report->contact_label());
        if (!group || group->members.empty()) throw util::Exception("hypos is empty");
        const auto& members = group->members;
        bool blocked = false;
        for (const HypothesisNode* member : members) blocked |= member->terminated || member->zombie;
        if (blocked) {
            hold_back(contact);
            continue;
        }
        this_contact.clear();
        bool gated = true;
        for (HypothesisNode* member : members) {
            HypothesisNodePtr child = HypothesisNode::continuation(*member, *contact.report);
            if (!child->gates()) {
                gated = false;
                break;
            }
            stamp(*child);
            member->adopt(std::move(child));
            this_contact.emplace_back(member, index);
        }
        if (!gated) {
            // Only this contact's continuations are taken back (each is the
            // last child of its member); those of other contacts stay.
            for (auto& entry : this_contact) entry.first->children.pop_back();
            hold_back(contact);
            continue;
        }
        continued.insert(continued.end(), this_contact.begin(), this_contact.end());
    }

    // A member with two or more continuations: all those contacts are
    // re-initiated and their groups lose every continuation.
    std::set<state::Label> clearing;
    for (const auto& entry : continued) {
        if (entry.first->children.size() < 2) continue;
        const LabelledContact& contact = labelled[entry.second];
        hold_back(contact);
        clearing.insert(contact.report->contact_label());
    }
    for (const state::Label& label : clearing) {
        for (HypothesisNode* member : groups_.find(label)->members) member->children.clear();
    }
}

// Each held-back contact starts over under a fresh label (tracker id, n);
// its arrival label is filed under the fresh label from now on.
void HypothesisTree::reinitiate(const ReinitiationSet& reinitiation,
                                std::vector<TrackReportPtr>& fresh) {
    for (const auto& entry : reinitiation) {
        const state::Label label = remap_.mint();
        remap_.remap(entry.second.arrived, label);
        auto copy = std::make_shared<TrackReport>(*entry.second.report);
        copy->relabel(label);
        fresh.push_back(std::move(copy));
    }
}

// A zombie either ends here (the killer's gate passes) or is carried one
// more frame as a zombie.
void HypothesisTree::carry_zombies(const frame::TrackReportFrame& frame) {
    if (zombies_.empty()) return;
    const TrackReport& killer = frame_report(frame.killer_track_report, "killer track report");
    const TrackReport& zombie = frame_report(frame.zombie_track_report, "zombie track report");
    NodeList carried;
    carried.reserve(zombies_.size());
    for (const HypothesisNodePtr& node : zombies_) {
        HypothesisNodePtr end = HypothesisNode::child(*node, killer, true);
        if (end->gates()) {
            end->terminated = true;
            stamp(*end);
            terminated_.push_back(end);
            node->adopt(std::move(end));
            continue;
        }
        HypothesisNodePtr next = HypothesisNode::child(*node, zombie, true);
        stamp(*next);
        next->zombie = true;
        carried.push_back(next);
        node->adopt(std::move(next));
    }
    zombies_.swap(carried);
}

// A leaf already continued by a labelled contact keeps that one child.
// Every other leaf gets a child for each new contact inside its gate, and a
// coast; failing the coast, a terminated child; failing that, a zombie.
//
// The leaves of one track are contiguous in the leaf list, so the new
// hypotheses are gathered track by track, bounded (see HypothesisLimits)
// and only then attached, in the order they were made.
void HypothesisTree::extend_leaves(const frame::TrackReportFrame& frame,
                                   const std::vector<TrackReportPtr>& fresh,
                                   NodeList& next_leaves) {
    std::vector<state::Label> fresh_labels;
    fresh_labels.reserve(fresh.size());
    for (const TrackReportPtr& report : fresh) fresh_labels.push_back(report->contact_label());
    const NewContactPasses passes(fresh, gate_index_,
                                  static_cast<std::size_t>(limits_.contacts_per_hypothesis));
    std::vector<NewContactPasses::Child> children;
    TrackGrowth growth;

    for (const HypothesisNodePtr& leaf : leaves_) {
        if (leaf->children.size() > 1) throw util::Exception("children size is greater than one");
        if (!growth.empty() && growth.track_number != leaf->track_number)
            settle_growth(growth, fresh_labels, next_leaves);
        growth.track_number = leaf->track_number;
        if (leaf->children.size() == 1) {
            growth.add(leaf->children.front(), nullptr, Grown::continued);
            continue;
        }
        children.clear();
        if (passes.extend(*leaf, children)) report_bound();
        for (auto& [index, child] : children) {
            child->new_contact = true;
            growth.add(std::move(child), leaf.get(), Grown::leaf, static_cast<std::int64_t>(index));
        }
        const TrackReport& coast = frame_report(frame.coast_track_report, "coast track report");
        HypothesisNodePtr coasted = HypothesisNode::child(*leaf, coast, true);
        if (coasted->gates()) {
            growth.add(std::move(coasted), leaf.get(), Grown::leaf);
            continue;
        }
        const TrackReport& killer = frame_report(frame.killer_track_report, "killer track report");
        HypothesisNodePtr end = HypothesisNode::child(*leaf, killer, true);
        if (end->gates()) {
            growth.add(std::move(end), leaf.get(), Grown::terminated);
            continue;
        }
        const TrackReport& zombie = frame_report(frame.zombie_track_report, "zombie track report");
        growth.add(HypothesisNode::child(*leaf, zombie, true), leaf.get(), Grown::zombie);
    }
    if (!growth.empty()) settle_growth(growth, fresh_labels, next_leaves);
}

namespace {

// True when no node from `node` up to (not including) the track's top took
// a new contact.
bool contact_free_path(const HypothesisNode* node) {
    for (; node && node->parent; node = node->parent)
        if (node->new_contact) return false;
    return true;
}

}  // namespace

// Bounds one track's new hypotheses, then attaches the survivors in the
// order they were made: stamped, adopted, filed under their contact's
// pending group, and listed as leaves, terminated or zombies.
void HypothesisTree::settle_growth(TrackGrowth& growth, const std::vector<state::Label>& fresh_labels,
                                   NodeList& next_leaves) {
    candidates_.clear();
    for (const Grown& grown : growth.nodes) {
        const bool free = !grown.node->new_contact &&
                          contact_free_path(grown.parent ? grown.parent : grown.node->parent);
        candidates_.push_back(BoundCandidate{grown.node->score,
                                             grown.kind == Grown::leaf || grown.kind == Grown::continued,
                                             free});
    }
    if (bound_track(candidates_, limits_, keep_)) report_bound();
    for (std::size_t k = 0; k < growth.nodes.size(); ++k) {
        Grown& grown = growth.nodes[k];
        if (!keep_[k]) {
            // A continuation is attached already: take it off its parent.
            if (grown.kind == Grown::continued) detach_child(*grown.node);
            prune_subtree(grown.node);
            continue;
        }
        HypothesisNodePtr& node = grown.node;
        if (grown.kind == Grown::continued) {
            next_leaves.push_back(std::move(node));
            continue;
        }
        stamp(*node);
        switch (grown.kind) {
            case Grown::leaf:
                next_leaves.push_back(node);
                if (grown.contact >= 0)
                    groups_.file_pending(fresh_labels[static_cast<std::size_t>(grown.contact)], node.get());
                break;
            case Grown::terminated:
                node->terminated = true;
                terminated_.push_back(node);
                break;
            case Grown::zombie:
                node->zombie = true;
                zombies_.push_back(node);
                break;
            case Grown::continued:
                break;
        }
        grown.parent->adopt(std::move(node));
    }
    growth.nodes.clear();
}

void HypothesisTree::detach_child(HypothesisNode& child) {
    HypothesisNode* parent = child.parent;
    if (!parent) return;
    auto& siblings = parent->children;
    siblings.erase(std::remove_if(siblings.begin(), siblings.end(),
                                  [&child](const HypothesisNodePtr& node) { return node.get() == &child; }),
                   siblings.end());
    child.parent = nullptr;
}

void HypothesisTree::report_bound() {
    bound_bit_ = true;
    if (bound_warned_) return;
    bound_warned_ = true;
    std::cout << "\nwarning: the tracker bounded its hypotheses (at most " << limits_.per_track
              << " per track, " << limits_.contacts_per_hypothesis << " contacts per hypothesis";
    if (limits_.ratio > 0.0) std::cout << ", none below " << limits_.ratio << " of its track's best";
    std::cout << "), so results may differ from an unbounded search. To widen the bound, raise "
                 "maximum_hypotheses_per_track or maximum_contacts_per_hypothesis"
              << (limits_.ratio > 0.0 ? ", or lower hypothesis_ratio," : "")
              << " in multiple_hypothesis_tracker." << std::endl;
}

// Every new contact starts a tentative track. One whose initializer closes
// the gate starts as a zombie; like every zombie it is carried only in the
// zombie list, so that it has one column and its terminated children are
// never extended as leaves.
void HypothesisTree::start_tracks(const std::vector<TrackReportPtr>& fresh,
                                  NodeList& next_leaves) {
    for (const TrackReportPtr& report : fresh) {
        HypothesisNodePtr root = HypothesisNode::root(*report);
        groups_.file_pending(report->contact_label(), root.get());
        root->track_number = ++track_counter_;
        stamp(*root);
        if (root->gates()) {
            next_leaves.push_back(root);
        } else {
            root->zombie = true;
            zombies_.push_back(root);
            std::cout << "\nmaking track initiation a terminator" << std::endl;
        }
        tentative_roots_.push_back(std::move(root));
    }
}

}  // namespace ostrel
