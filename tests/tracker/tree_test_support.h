#pragma once
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "model/label.h"
#include "model/state.h"
#include "tracker/filter.h"
#include "tracker/hypothesis_tree.h"
#include "tracker/track_report_frame.h"

// Small exact filters on a 1-D position for the hypothesis tree and tracker
// tests, independent of the filter library.
namespace tree_test {

// The position of a contact, or a track's position and velocity (per
// frame). Key "tree_test_position".
class Position : public state::StateTemplate<Position> {
public:
    explicit Position(double x, double v = 0.0) : x(x), v(v) {}
    explicit Position(const xml::Querier& querier) : x(querier.read<double>("x")), v(0.0) {}
    void write(xml::OutStream& out) const override {
        out.tag("tree_test_position").element("x", x).end_tag();
    }
    const double x;
    const double v;
};

// Frames since the track's last contact.
class Missed : public state::StateTemplate<Missed> {
public:
    explicit Missed(int count) : count(count) {}
    explicit Missed(const xml::Querier& querier) : count(querier.read<int>("count")) {}
    void write(xml::OutStream& out) const override { out.tag("tree_test_missed").element("count", count).end_tag(); }
    const int count;
};

double position_of(const state::CompositeState& states);
int missed_of(const state::CompositeState& states);

// Initializer: the track starts at rest at the contact (missed 0) with a
// fixed score; the gate closes for contacts left of min_x. Key
// "test_start_track" ("score", optional "min_x").
class StartTrack : public ostrel::Filter {
public:
    StartTrack(double score, double min_x) : score_(score), min_x_(min_x) {}
    explicit StartTrack(const xml::Querier& querier);
    void update(const state::CompositeState& contact, ostrel::TrackState& track) const override;

private:
    double score_;
    double min_x_;
};

// Updater: predicted x_p = x_track + v_track; score -(x - x_p)^2, gate
// |x - x_p| <= gate; the track moves to the contact, and, when velocity is
// on, takes v = x - x_track. Key "test_position_gate" ("gate", optional
// "velocity").
class PositionGate : public ostrel::Filter {
public:
    explicit PositionGate(double gate, bool velocity = false) : gate_(gate), velocity_(velocity) {}
    explicit PositionGate(const xml::Querier& querier);
    void update(const state::CompositeState& contact, ostrel::TrackState& track) const override;

private:
    double gate_;
    bool velocity_;
};

// Coaster: moves on by the velocity at a fixed cost per missed frame; the
// gate closes once more than max_missed frames have been missed. Key
// "test_coast" ("cost", "max_missed").
class Coast : public ostrel::Filter {
public:
    Coast(double cost, int max_missed) : cost_(cost), max_missed_(max_missed) {}
    explicit Coast(const xml::Querier& querier);
    void update(const state::CompositeState& contact, ostrel::TrackState& track) const override;

private:
    double cost_;
    int max_missed_;
};

// Terminator: passes once the track has missed at least `limit` frames.
// Key "test_missed_at_least" ("limit").
class MissedAtLeast : public ostrel::Filter {
public:
    explicit MissedAtLeast(int limit) : limit_(limit) {}
    explicit MissedAtLeast(const xml::Querier& querier) : limit_(querier.read<int>("limit")) {}
    void update(const state::CompositeState& contact, ostrel::TrackState& track) const override;

private:
    int limit_;
};

// One contact: its label and position.
struct Contact {
    state::Label label;
    double x;
};

// The filters of every report and a frame builder.
struct Scene {
    double new_track_score = -3.0;
    double min_start_x = -1e300;
    double gate = 1.0;
    double continuation_gate = 1.0;
    double coast_cost = 5.0;
    int max_missed = 2;
    int terminate_after = 2;
    // Zombies keep counting missed frames, so the terminator ends them too.
    ostrel::FilterPtr zombie_coaster = std::make_shared<Coast>(0.0, std::numeric_limits<int>::max());

    frame::TrackReportFramePtr frame(double time, const std::vector<Contact>& contacts) const;
};

// Registers the test states and filters under their keys.
void register_test_keys();

// A contact composite: TrackLabelState and Position.
state::CompositeStatePtr contact_states(const state::Label& label, double x);

// The labels and positions of a tracker output frame, in report order.
std::vector<state::Label> labels_of(const frame::TrackReportFrame& frame);
std::vector<double> positions_of(const frame::TrackReportFrame& frame);

// Checks the tree's bookkeeping with gtest expectations: every hypothesis
// that may be chosen is in exactly one of the leaf, zombie and terminated
// lists (so it has one column) and of the right kind; terminated ones have
// no children; every group member is in those lists and not pruned; the
// heads are live and belong to distinct tracks.
void expect_consistent(const ostrel::HypothesisTree& tree);

}  // namespace tree_test
