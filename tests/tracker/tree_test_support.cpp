#include "tracker/tree_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "model/composite_state.h"
#include "model/track_label_state.h"
#include "tracker/track_report.h"

namespace tree_test {

double position_of(const state::CompositeState& states) { return states.get<Position>().x; }

int missed_of(const state::CompositeState& states) { return states.get<Missed>().count; }

StartTrack::StartTrack(const xml::Querier& querier)
    : score_(querier.read<double>("score")), min_x_(-1e300) {
    querier.read_optional("min_x", min_x_);
}

PositionGate::PositionGate(const xml::Querier& querier)
    : gate_(querier.read<double>("gate")), velocity_(querier.read_bool_optional("velocity", false)) {}

Coast::Coast(const xml::Querier& querier)
    : cost_(querier.read<double>("cost")), max_missed_(querier.read<int>("max_missed")) {}

void register_test_keys() {
    using ostrel::Filter;
    auto& filters = ostrel::filter_factory();
    filters.registerize("test_start_track", util::create<const Filter, StartTrack>);
    filters.registerize("test_position_gate", util::create<const Filter, PositionGate>);
    filters.registerize("test_coast", util::create<const Filter, Coast>);
    filters.registerize("test_missed_at_least", util::create<const Filter, MissedAtLeast>);
    state::factory().registerize("tree_test_position", util::create<state::State, Position>);
}

void StartTrack::update(const state::CompositeState& contact, ostrel::TrackState& track) const {
    const double x = position_of(contact);
    track.states.insert(std::make_shared<const Position>(x));
    track.states.insert(std::make_shared<const Missed>(0));
    track.log_likelihood += score_;
    if (x < min_x_) track.gates = false;
}

void PositionGate::update(const state::CompositeState& contact, ostrel::TrackState& track) const {
    const Position& last = track.states.get<Position>();
    const double x = position_of(contact);
    const double d = x - (last.x + last.v);
    track.log_likelihood += -d * d;  // score = -(x - x_p)^2
    if (std::fabs(d) > gate_) track.gates = false;
    track.states.insert(std::make_shared<const Position>(x, velocity_ ? x - last.x : 0.0));
    track.states.insert(std::make_shared<const Missed>(0));
}

void Coast::update(const state::CompositeState&, ostrel::TrackState& track) const {
    const Position& last = track.states.get<Position>();
    track.states.insert(std::make_shared<const Position>(last.x + last.v, last.v));
    const int missed = missed_of(track.states) + 1;
    track.states.insert(std::make_shared<const Missed>(missed));
    track.log_likelihood -= cost_;
    if (missed > max_missed_) track.gates = false;
}

void MissedAtLeast::update(const state::CompositeState&, ostrel::TrackState& track) const {
    if (missed_of(track.states) < limit_) track.gates = false;
}

state::CompositeStatePtr contact_states(const state::Label& label, double x) {
    auto states = std::make_shared<state::CompositeState>();
    states->insert(std::make_shared<const state::TrackLabelState>(label));
    states->insert(std::make_shared<const Position>(x));
    return states;
}

frame::TrackReportFramePtr Scene::frame(double time, const std::vector<Contact>& contacts) const {
    auto start = std::make_shared<StartTrack>(new_track_score, min_start_x);
    auto update = std::make_shared<PositionGate>(gate);
    auto continuation = std::make_shared<PositionGate>(continuation_gate);
    auto result = std::make_shared<frame::TrackReportFrame>(time);
    auto meta = std::make_shared<state::CompositeState>();
    result->coast_track_report = std::make_shared<ostrel::TrackReport>(
        meta, std::make_shared<Coast>(coast_cost, max_missed), nullptr, nullptr);
    result->killer_track_report = std::make_shared<ostrel::TrackReport>(
        meta, std::make_shared<MissedAtLeast>(terminate_after), nullptr, nullptr);
    result->zombie_track_report =
        std::make_shared<ostrel::TrackReport>(meta, zombie_coaster, nullptr, nullptr);
    for (const Contact& c : contacts)
        result->track_reports.push_back(std::make_shared<ostrel::TrackReport>(
            contact_states(c.label, c.x), update, continuation, start));
    return result;
}

std::vector<state::Label> labels_of(const frame::TrackReportFrame& frame) {
    std::vector<state::Label> labels;
    for (const auto& report : frame.track_reports) labels.push_back(report->contact_label());
    return labels;
}

std::vector<double> positions_of(const frame::TrackReportFrame& frame) {
    std::vector<double> positions;
    for (const auto& report : frame.track_reports)
        positions.push_back(position_of(report->track_state->states));
    return positions;
}

void expect_consistent(const ostrel::HypothesisTree& tree) {
    std::set<const ostrel::HypothesisNode*> listed;
    for (const auto* list : {&tree.leaves(), &tree.zombies(), &tree.terminated()}) {
        for (const auto& node : *list) {
            EXPECT_TRUE(listed.insert(node.get()).second) << "a node in two lists";
            EXPECT_FALSE(node->pruned);
        }
    }
    for (const auto& node : tree.leaves()) EXPECT_FALSE(node->terminated || node->zombie);
    for (const auto& node : tree.zombies()) EXPECT_TRUE(node->zombie && !node->terminated);
    for (const auto& node : tree.terminated()) {
        EXPECT_TRUE(node->terminated);
        EXPECT_TRUE(node->children.empty()) << "a terminated node was extended";
    }
    for (const auto& group : tree.groups().list()) {
        EXPECT_FALSE(group->members.empty());
        for (const auto* member : group->members)
            EXPECT_EQ(listed.count(member), 1u) << "a group member outside the lists";
    }
    std::set<std::int32_t> tracks;
    for (const auto& head : tree.heads()) {
        EXPECT_FALSE(head->pruned || head->terminated);
        EXPECT_EQ(head->parent, nullptr);
        EXPECT_TRUE(tracks.insert(head->track_number).second);
    }
}

}  // namespace tree_test
