#pragma once
#include "tracker/filter.h"

namespace ostrel {

// The filters applied to the contacts of one sensor type.
struct FilterSet {
    FilterPtr initializer;           // starts a new track from a contact
    FilterPtr updater;               // extends any hypothesis with a contact
    FilterPtr continuation_updater;  // extends the track the contact's label names
    FilterPtr coaster;               // extends a hypothesis without a contact
    FilterPtr terminator;            // decides that a hypothesis ends
    FilterPtr zombie_coaster;        // carries a hypothesis that neither coasts nor ends
};

}  // namespace ostrel
