#include "tracker/label_remap_table.h"

namespace ostrel {

LabelRemapTable::LabelRemapTable(std::int32_t tracker_id) : tracker_id_(tracker_id) {
    const state::Label initial{-1, 0};
    forward_.emplace(initial, initial);
    reverse_.emplace(initial, initial);
}

const state::Label* LabelRemapTable::find(const state::Label& contact_label) const {
    auto found = forward_.find(contact_label);
    return found == forward_.end() ? nullptr : &found->second;
}

void LabelRemapTable::insert_identity(const state::Label& contact_label) {
    forward_[contact_label] = contact_label;
    reverse_[contact_label] = contact_label;
}

void LabelRemapTable::remap(const state::Label& contact_label, const state::Label& filed) {
    forward_[contact_label] = filed;
    reverse_[filed] = contact_label;
}

void LabelRemapTable::erase(const state::Label& filed) {
    auto back = reverse_.find(filed);
    if (back == reverse_.end()) return;
    auto forward = forward_.find(back->second);
    if (forward != forward_.end() && forward->second == filed) forward_.erase(forward);
    reverse_.erase(back);
}

state::Label LabelRemapTable::mint() { return state::Label{tracker_id_, ++last_fresh_}; }

}  // namespace ostrel
