#pragma once
#include <cstdint>
#include <map>

#include "model/label.h"

namespace ostrel {

// Maps the label a contact arrives with to the label under which the
// hypothesis tree files it, and each filed label back to the contact label
// it stands for. A contact label is filed under itself until its track has
// to be re-initiated; it is then filed under a fresh label (tracker id, n)
// minted here, so that later contacts with the old label follow the new
// track.
class LabelRemapTable {
public:
    // Both directions start with (-1, 0) -> (-1, 0).
    explicit LabelRemapTable(std::int32_t tracker_id);

    // The filed label for a contact label, or null when the label is unknown.
    const state::Label* find(const state::Label& contact_label) const;
    bool knows(const state::Label& contact_label) const { return find(contact_label) != nullptr; }

    // Files a new contact label under itself.
    void insert_identity(const state::Label& contact_label);
    // Files `contact_label` under `filed`, replacing its previous mapping.
    void remap(const state::Label& contact_label, const state::Label& filed);
    // Forgets a filed label in both directions; the contact label it stands
    // for is forgotten only while it is still filed under it.
    void erase(const state::Label& filed);

    // The next fresh label (tracker id, n), n = 0, 1, 2, ...
    state::Label mint();

    std::size_t size() const { return forward_.size(); }

private:
    std::int32_t tracker_id_;
    std::int32_t last_fresh_ = -1;
    std::map<state::Label, state::Label> forward_;  // contact label -> filed label
    std::map<state::Label, state::Label> reverse_;  // filed label -> contact label
};

}  // namespace ostrel
