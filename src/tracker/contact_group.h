#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "model/label.h"
#include "tracker/hypothesis_node.h"

namespace ostrel {

class LabelRemapTable;

// The current-level hypotheses that descend from (or are) the hypotheses
// that used the contact of one label. Exactly one member of every group is
// chosen at a resolve: each group is one equality row of the 0-1 program.
//
// Members are plain pointers: every member is held by the tree's leaf,
// zombie or terminated list, and a pruned member is swept from the groups
// before it is swept from those lists.
struct ContactGroup {
    std::vector<HypothesisNode*> members;
    // The labels filed under the group, its own contact's label first.
    std::vector<state::Label> labels;
    // The confirmed track whose group this is, -1 until there is one.
    std::int32_t track_number = -1;
    // Set when the group's label has been filed under a track's group, so
    // it no longer forms a row of its own; it leaves the list at the next
    // sweep.
    bool merged = false;
};

// Every live contact group: in creation order (the row order of the 0-1
// program), by filed label, and by confirmed track number; plus the nodes
// filed during the current update, which become new groups when it ends.
class ContactGroups {
public:
    using List = std::vector<std::unique_ptr<ContactGroup>>;

    // The group a label is filed under, or null.
    ContactGroup* find(const state::Label& label) const;
    // The group recorded for a confirmed track, or null.
    ContactGroup* of_track(std::int32_t track_number) const;

    // Files a node made this update under the pending group of a label.
    void file_pending(const state::Label& label, HypothesisNode* node);
    // Ends an update: every member that is not terminated is replaced by its
    // children (in child order), terminated members stay; then one new group
    // per pending label, in label order, is appended and the pending list is
    // cleared.
    void advance();

    // Records the group as the confirmed track's group.
    void record_track(ContactGroup& group, std::int32_t track_number);
    // Files `label` under the track's group. A different group that the
    // label was filed under is marked merged: its surviving members are all
    // members of the track's group, so its row adds nothing.
    void file_label(const state::Label& label, ContactGroup& track_group);

    // Drops pruned members and merged groups. A group left without members
    // is dropped with every label filed under it (here and in `remap`) and
    // its track record.
    void sweep(LabelRemapTable& remap);

    // The live groups in creation order; merged ones are skipped by callers
    // until the next sweep.
    const List& list() const { return list_; }
    std::size_t size() const { return list_.size(); }

private:
    void forget(const ContactGroup& group, LabelRemapTable& remap);
    void forget_labels(const ContactGroup& group, LabelRemapTable& remap);

    List list_;
    std::map<state::Label, ContactGroup*> by_label_;
    std::unordered_map<std::int32_t, ContactGroup*> by_track_;
    // (contact label, new hypothesis) in filing order; grouped by advance().
    std::vector<std::pair<state::Label, HypothesisNode*>> pending_;
};

}  // namespace ostrel
