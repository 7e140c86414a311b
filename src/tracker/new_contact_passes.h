#pragma once
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include "tracker/contact_grid.h"
#include "tracker/filter_stages.h"
#include "tracker/hypothesis_node.h"

namespace ostrel {

// The passes of one frame's new contacts over the hypotheses of the tree:
// each leaf gets a child for every new contact whose updater pass keeps the
// gate open, in contact order.
//
// Two shortcuts never change a result:
// - gate before filtering: when the updater ends in a position gate, the
//   contacts are indexed by position once per frame and a leaf gives the
//   full pass only to those inside the box its gate can pass (see
//   PositionGate); the rest would close the gate.
// - the stages that read only the contact's time (time bookkeeping,
//   prediction) run once per leaf when all new contacts share one time.
// Frames where the contacts do not share one updater and one time take the
// plain path: every contact gets the full pass.
class NewContactPasses {
public:
    using Child = std::pair<std::size_t, HypothesisNodePtr>;

    // `fresh` must outlive this object. `index_contacts` false turns the
    // position index off (every contact gets the pass). `contact_limit`
    // (0: none) is the most contacts a leaf may take: when more lie inside
    // its gate, only the nearest (by the gate's own distance) get the pass.
    NewContactPasses(const std::vector<TrackReportPtr>& fresh, bool index_contacts,
                     std::size_t contact_limit = 0);

    // Appends (index of the contact in `fresh`, child) for every new contact
    // whose pass on `leaf` keeps the gate open, in increasing index order.
    // Throws whatever the filters throw, in the order the plain path would.
    // Returns true when the contact limit left contacts out.
    bool extend(const HypothesisNode& leaf, std::vector<Child>& children) const;

    // True when the shortcuts apply to this frame.
    bool staged() const { return staged_; }
    bool indexed() const { return grid_ != nullptr; }

private:
    bool share_updater_and_time() const;
    void index_contacts();
    // The contacts that can pass the gate of a leaf whose state after the
    // time stages is `timed`, in increasing order; all of them when no bound
    // applies.
    // Returns true when the contact limit left some out.
    bool candidates(const TrackState& timed, std::vector<std::size_t>& out) const;
    bool limit_contacts(const TrackState& timed, std::vector<std::size_t>& out) const;

    const std::vector<TrackReportPtr>& fresh_;
    FilterStages stages_;
    bool staged_ = false;
    std::size_t contact_limit_;
    std::unique_ptr<ContactGrid> grid_;
    // Whether the gate can place each contact.
    std::vector<char> placed_;
    // The largest variance of any placed contact, per axis.
    GateAxes variance_bound_{};
    // Contacts the gate cannot place: they always get the full pass.
    std::vector<std::size_t> unplaced_;
    mutable std::vector<std::size_t> scratch_;
    mutable std::vector<std::pair<double, std::size_t>> ranked_;
    mutable std::vector<const state::CompositeState*> gated_contacts_;
    mutable std::vector<double> distances_;
};

}  // namespace ostrel
