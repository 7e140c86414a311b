#pragma once
#include <cstdint>
#include <deque>
#include <map>
#include <vector>

#include "model/frame.h"
#include "tracker/assignment/assignment_solver.h"
#include "tracker/assignment/binary_program.h"
#include "tracker/contact_group.h"
#include "tracker/hypothesis_bound.h"
#include "tracker/hypothesis_node.h"
#include "tracker/label_remap_table.h"
#include "tracker/track_report_frame.h"

namespace ostrel {

// The tracker's hypotheses over a sliding window of frames.
//
// `update` grows one level per frame under every track (extend with a
// contact, coast, terminate, carry as zombie) and starts a tentative track
// from every new contact. `resolve` picks the best consistent set of
// hypotheses with the assignment solver, commits the oldest level of the
// window (n-scan pruning), confirms or discards the tentative tracks born
// in the oldest frame and pops that frame; `report` then gives the output
// frame for the new oldest frame: one report per confirmed track, labelled
// (tracker id, track number).
//
// Every hypothesis is in exactly one of the leaf, zombie and terminated
// lists while it is at the front of its track (terminated ones stay until
// they are pruned), so each has exactly one column in the 0-1 program.
class HypothesisTree {
public:
    using NodeList = std::vector<HypothesisNodePtr>;

    explicit HypothesisTree(std::int32_t tracker_id, AssignmentSolver solver = AssignmentSolver());

    void set_solver(AssignmentSolver solver) { solver_ = std::move(solver); }
    const AssignmentSolver& solver() const { return solver_; }
    // Whether new contacts are indexed by position so that a leaf gives the
    // full filter pass only to those its gate can admit (on by default; the
    // decisions are the same either way).
    void set_gate_index(bool on) { gate_index_ = on; }
    bool gate_index() const { return gate_index_; }
    // The bound on each track's hypotheses (validated first).
    void set_limits(const HypothesisLimits& limits) {
        limits.validate();
        limits_ = limits;
    }
    const HypothesisLimits& limits() const { return limits_; }
    // True once the bound has pruned a hypothesis (a warning is printed the
    // first time).
    bool bound_bit() const { return bound_bit_; }

    // Adds one TrackReportFrame to the window ("Frame::cast()" for any other
    // frame, null included).
    void update(const util::CountedPtr<frame::Frame>& frame);
    // Chooses, prunes and commits; needs at least two frames in the window.
    void resolve();
    // The output frame for the oldest frame in the window.
    frame::TrackReportFramePtr report() const;

    // Size of the window, including the initial null entry until the first
    // resolve pops it.
    std::size_t frame_count() const { return frames_.size(); }

    // The 0-1 program of the current lists: columns numbered leaves, then
    // zombies, then terminated (each node's column is set), one row per
    // contact group. Scores pass through BinaryProgram's clamp.
    BinaryProgram build_program();

    // Read access for inspection and tests.
    std::int32_t tracker_id() const { return tracker_id_; }
    std::int32_t frame_index() const { return frame_index_; }
    std::int32_t resolution_counter() const { return resolution_counter_; }
    const NodeList& leaves() const { return leaves_; }
    const NodeList& zombies() const { return zombies_; }
    const NodeList& terminated() const { return terminated_; }
    const NodeList& heads() const { return heads_; }
    const NodeList& tentative_roots() const { return tentative_roots_; }
    const ContactGroups& groups() const { return groups_; }
    const LabelRemapTable& label_remap_table() const { return remap_; }
    // Number of hypotheses that may be chosen at the next resolve.
    std::size_t hypothesis_count() const {
        return leaves_.size() + zombies_.size() + terminated_.size();
    }

private:
    // A contact whose label the tree knows: its report, relabelled to the
    // filed label, and the label it arrived with.
    struct LabelledContact {
        TrackReportPtr report;
        state::Label arrived;
    };
    // The contacts held back for re-initiation, by filed label, at most one
    // per label.
    using ReinitiationSet = std::map<state::Label, LabelledContact>;

    // update, in its order of steps
    void partition(const frame::TrackReportFrame& frame, std::vector<TrackReportPtr>& fresh,
                   std::vector<LabelledContact>& labelled);
    void continue_labelled(const std::vector<LabelledContact>& labelled,
                           ReinitiationSet& reinitiate);
    void reinitiate(const ReinitiationSet& reinitiate, std::vector<TrackReportPtr>& fresh);
    void carry_zombies(const frame::TrackReportFrame& frame);
    void extend_leaves(const frame::TrackReportFrame& frame,
                       const std::vector<TrackReportPtr>& fresh, NodeList& next_leaves);
    void start_tracks(const std::vector<TrackReportPtr>& fresh, NodeList& next_leaves);

    // A new hypothesis of the track being extended, not attached yet (a
    // continuation is attached already and has no parent recorded here).
    struct Grown {
        enum Kind { leaf, continued, terminated, zombie };
        HypothesisNodePtr node;
        HypothesisNode* parent;
        Kind kind;
        // Index of the new contact it took, or -1.
        std::int64_t contact;
    };
    struct TrackGrowth {
        std::int32_t track_number = -1;
        std::vector<Grown> nodes;
        bool empty() const { return nodes.empty(); }
        void add(HypothesisNodePtr node, HypothesisNode* parent, Grown::Kind kind,
                 std::int64_t contact = -1) {
            nodes.push_back(Grown{std::move(node), parent, kind, contact});
        }
    };
    void settle_growth(TrackGrowth& growth, const std::vector<state::Label>& fresh_labels,
                       NodeList& next_leaves);
    static void detach_child(HypothesisNode& child);
    void report_bound();
    void report_program_bound();
    void report_search_limit();

    // resolve, in its order of steps
    bool needs_solve() const;
    void choose();
    void commit_heads();
    void settle_tentative_roots(std::int32_t oldest_frame);
    void drop_terminated_heads();
    void sweep();

    void stamp(HypothesisNode& node) const { node.stamp(frame_index_, resolution_counter_); }

    std::int32_t tracker_id_;
    std::deque<util::CountedPtr<frame::Frame>> frames_;
    std::int32_t frame_index_ = -1;
    NodeList leaves_;
    NodeList terminated_;
    NodeList zombies_;
    NodeList heads_;
    NodeList tentative_roots_;
    std::int32_t resolution_counter_ = 0;
    std::int32_t track_counter_ = -1;
    LabelRemapTable remap_;
    ContactGroups groups_;
    AssignmentSolver solver_;
    bool gate_index_ = true;
    HypothesisLimits limits_;
    bool bound_bit_ = false;
    bool bound_warned_ = false;
    bool program_bound_warned_ = false;
    bool search_limit_warned_ = false;
    std::vector<BoundCandidate> candidates_;
    std::vector<char> keep_;
    // The nodes pruned by the current resolve, released together at its end.
    NodeList released_;
    // The node of each column of the last program built.
    std::vector<HypothesisNode*> column_nodes_;
};

}  // namespace ostrel
