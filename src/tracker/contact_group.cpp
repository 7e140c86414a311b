#include "tracker/contact_group.h"

#include <algorithm>

#include "tracker/label_remap_table.h"

namespace ostrel {

ContactGroup* ContactGroups::find(const state::Label& label) const {
    auto found = by_label_.find(label);
    return found == by_label_.end() ? nullptr : found->second;
}

ContactGroup* ContactGroups::of_track(std::int32_t track_number) const {
    auto found = by_track_.find(track_number);
    return found == by_track_.end() ? nullptr : found->second;
}

void ContactGroups::file_pending(const state::Label& label, HypothesisNode* node) {
    pending_.emplace_back(label, node);
}

void ContactGroups::advance() {
    std::vector<HypothesisNode*> next;
    for (auto& group : list_) {
        next.clear();
        for (HypothesisNode* member : group->members) {
            if (member->terminated) {
                next.push_back(member);
                continue;
            }
            for (const auto& child : member->children) next.push_back(child.get());
        }
        group->members.swap(next);
    }
    // One group per label in label order, its members in filing order.
    std::stable_sort(pending_.begin(), pending_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t first = 0; first < pending_.size();) {
        const state::Label label = pending_[first].first;
        auto group = std::make_unique<ContactGroup>();
        std::size_t last = first;
        while (last < pending_.size() && pending_[last].first == label) ++last;
        group->members.reserve(last - first);
        for (; first < last; ++first) group->members.push_back(pending_[first].second);
        group->labels.push_back(label);
        by_label_[label] = group.get();
        list_.push_back(std::move(group));
    }
    pending_.clear();
}

void ContactGroups::record_track(ContactGroup& group, std::int32_t track_number) {
    group.track_number = track_number;
    by_track_[track_number] = &group;
}

void ContactGroups::file_label(const state::Label& label, ContactGroup& track_group) {
    ContactGroup*& filed = by_label_[label];
    if (filed == &track_group) return;  // already filed there; keep the labels unique
    if (filed) filed->merged = true;
    filed = &track_group;
    track_group.labels.push_back(label);
}

void ContactGroups::forget(const ContactGroup& group, LabelRemapTable& remap) {
    // A merged group's labels were re-filed under a track's group.
    if (!group.merged) forget_labels(group, remap);
    if (group.track_number >= 0) {
        auto found = by_track_.find(group.track_number);
        if (found != by_track_.end() && found->second == &group) by_track_.erase(found);
    }
}

void ContactGroups::forget_labels(const ContactGroup& group, LabelRemapTable& remap) {
    for (const state::Label& label : group.labels) {
        auto found = by_label_.find(label);
        // A label re-filed under another group belongs to that group now.
        if (found == by_label_.end() || found->second != &group) continue;
        by_label_.erase(found);
        remap.erase(label);
    }
}

void ContactGroups::sweep(LabelRemapTable& remap) {
    auto is_pruned = [](const HypothesisNode* node) { return node->pruned; };
    for (auto& group : list_) {
        auto& members = group->members;
        members.erase(std::remove_if(members.begin(), members.end(), is_pruned), members.end());
        if (members.empty() || group->merged) forget(*group, remap);
    }
    list_.erase(std::remove_if(list_.begin(), list_.end(),
                               [](const std::unique_ptr<ContactGroup>& group) {
                                   return group->merged || group->members.empty();
                               }),
                list_.end());
}

}  // namespace ostrel
