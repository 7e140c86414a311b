#include "tracker/hypothesis_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "model/composite_state_frame.h"
#include "support/expect_message.h"
#include "tracker/tree_test_support.h"

namespace {

using ostrel::HypothesisNode;
using ostrel::HypothesisNodePtr;
using ostrel::HypothesisTree;
using state::Label;
using tree_test::Contact;
using tree_test::Scene;

constexpr std::int32_t kTrackerId = 7;
const Label kA{0, 0};
const Label kB{0, 1};
const Label kC{0, 2};

bool holds(const HypothesisTree::NodeList& list, const HypothesisNode* node) {
    return std::any_of(list.begin(), list.end(),
                       [node](const HypothesisNodePtr& entry) { return entry.get() == node; });
}

// Every hypothesis that may be chosen has exactly one column.
void expect_one_column_each(HypothesisTree& tree) {
    tree_test::expect_consistent(tree);
    const ostrel::BinaryProgram program = tree.build_program();
    EXPECT_EQ(static_cast<std::size_t>(program.column_count()), tree.hypothesis_count());
}

class HypothesisTreeTest : public ::testing::Test {
protected:
    HypothesisTree tree{kTrackerId, ostrel::AssignmentSolver(ostrel::AssignmentAlgorithm::optimal)};
    Scene scene;

    void push(double time, const std::vector<Contact>& contacts) {
        tree.update(scene.frame(time, contacts));
    }
    // Update and commit at once, as the tracker does with nscan 0.
    frame::TrackReportFramePtr step(double time, const std::vector<Contact>& contacts) {
        push(time, contacts);
        tree.resolve();
        return tree.report();
    }
};

TEST_F(HypothesisTreeTest, FirstFrameTracksAreAllConfirmedWithoutASolveZombieRootsIncluded) {
    scene.min_start_x = -1.0;  // the contact at -5 fails its initializer
    testing::internal::CaptureStdout();
    push(0.0, {{kA, 0.0}, {kB, 10.0}, {kC, -5.0}});
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\nmaking track initiation a terminator\n");

    ASSERT_EQ(tree.zombies().size(), 1u);
    const HypothesisNode* zombie_root = tree.zombies().front().get();
    EXPECT_FALSE(holds(tree.leaves(), zombie_root));  // a zombie only, never also a leaf
    EXPECT_EQ(tree.leaves().size(), 2u);

    tree.resolve();
    EXPECT_EQ(tree.resolution_counter(), 0);  // nothing was solved
    EXPECT_EQ(tree.heads().size(), 3u);
    EXPECT_TRUE(tree.tentative_roots().empty());
    const auto output = tree.report();
    EXPECT_EQ(tree_test::labels_of(*output),
              (std::vector<Label>{{kTrackerId, 0}, {kTrackerId, 1}, {kTrackerId, 2}}));
    EXPECT_EQ(tree_test::positions_of(*output), (std::vector<double>{0.0, 10.0, -5.0}));
}

// A zombie root is carried like any zombie: its killer child goes to the
// terminated list and is never extended, and no node gets two columns.
TEST_F(HypothesisTreeTest, ZombieRootEndsInTheTerminatedListAndIsNeverExtended) {
    scene.min_start_x = -1.0;
    testing::internal::CaptureStdout();
    push(0.0, {{kA, -5.0}});
    testing::internal::GetCapturedStdout();
    const HypothesisNodePtr root = tree.zombies().front();

    for (int t = 1; t <= 5; ++t) {
        push(t, {});
        expect_one_column_each(tree);
    }
    // missed 0 -> 1 -> 2 as a zombie, then the terminator passes in frame 3.
    const HypothesisNode* node = root.get();
    for (int depth = 0; depth < 3; ++depth) {
        ASSERT_EQ(node->children.size(), 1u);
        node = node->children.front().get();
        EXPECT_EQ(node->zombie, depth < 2);
    }
    EXPECT_TRUE(node->terminated);
    EXPECT_TRUE(node->children.empty());
    EXPECT_TRUE(tree.zombies().empty());
    EXPECT_TRUE(tree.leaves().empty());
    ASSERT_EQ(tree.terminated().size(), 1u);
    EXPECT_EQ(tree.terminated().front().get(), node);
}

TEST_F(HypothesisTreeTest, LeafThatCannotCoastEndsTerminatedOrElseAsZombie) {
    struct Case {
        int terminate_after;
        bool terminated;
    };
    for (const Case c : {Case{2, true}, Case{100, false}}) {
        SCOPED_TRACE(c.terminate_after);
        HypothesisTree local(kTrackerId);
        Scene s;
        s.terminate_after = c.terminate_after;
        local.update(s.frame(0, {{kA, 0.0}}));
        const HypothesisNodePtr root = local.leaves().front();
        for (int t = 1; t <= 3; ++t) local.update(s.frame(t, {}));
        // Two coasts, then the coast gate closes (3 > max_missed 2).
        const HypothesisNode* node = root.get();
        for (int i = 0; i < 3; ++i) {
            ASSERT_EQ(node->children.size(), 1u);
            node = node->children.front().get();
            EXPECT_TRUE(node->no_contact);
        }
        EXPECT_EQ(node->terminated, c.terminated);
        EXPECT_EQ(node->zombie, !c.terminated);
        EXPECT_TRUE(local.leaves().empty());
        EXPECT_EQ(local.terminated().size(), c.terminated ? 1u : 0u);
        EXPECT_EQ(local.zombies().size(), c.terminated ? 0u : 1u);
        local.update(s.frame(4, {{kB, 0.0}}));  // a terminated node gains nothing
        EXPECT_EQ(node->children.size(), c.terminated ? 0u : 1u);
    }
}

TEST_F(HypothesisTreeTest, LeafGetsAChildPerGatedContactPlusACoast) {
    step(0, {{kA, 0.0}});
    push(1, {{kB, 0.5}, {kC, 5.0}});
    const HypothesisNode& head = *tree.heads().front();
    ASSERT_EQ(head.children.size(), 2u);  // kB inside the gate, kC outside; then the coast
    EXPECT_FALSE(head.children[0]->no_contact);
    EXPECT_DOUBLE_EQ(head.children[0]->score, -3.0 - 0.25);  // root -3, -(0.5)^2
    EXPECT_TRUE(head.children[1]->no_contact);
    EXPECT_DOUBLE_EQ(head.children[1]->score, -3.0 - 5.0);
    EXPECT_EQ(tree.tentative_roots().size(), 2u);
    EXPECT_EQ(tree.leaves().size(), 4u);
}

TEST_F(HypothesisTreeTest, KnownLabelContinuesItsTrackWithASingleChild) {
    step(0, {{kA, 0.0}});
    push(1, {{kA, 0.5}});
    const HypothesisNode& head = *tree.heads().front();
    ASSERT_EQ(head.children.size(), 1u);
    EXPECT_FALSE(head.children.front()->no_contact);
    EXPECT_TRUE(tree.tentative_roots().empty());
    tree.resolve();
    const auto output = tree.report();
    EXPECT_EQ(tree_test::positions_of(*output), (std::vector<double>{0.5}));
}

TEST_F(HypothesisTreeTest, TwoContactsWithOneKnownLabelReinitiateTheFirstAndDropTheSecond) {
    step(0, {{kA, 0.0}});
    push(1, {{kA, 0.2}, {kA, 0.4}});
    const HypothesisNode& head = *tree.heads().front();
    // No continuation survives; the head is extended by the re-initiated
    // contact as a new contact, and coasts.
    ASSERT_EQ(head.children.size(), 2u);
    EXPECT_EQ(head.children[0]->report->contact_label(), (Label{kTrackerId, 0}));
    ASSERT_EQ(tree.tentative_roots().size(), 1u);
    const HypothesisNode& root = *tree.tentative_roots().front();
    EXPECT_EQ(root.report->contact_label(), (Label{kTrackerId, 0}));
    EXPECT_DOUBLE_EQ(tree_test::position_of(root.track_state().states), 0.2);
    ASSERT_NE(tree.label_remap_table().find(kA), nullptr);
    EXPECT_EQ(*tree.label_remap_table().find(kA), (Label{kTrackerId, 0}));

    // Later contacts with the old label follow the fresh one.
    tree.resolve();
    push(2, {{kA, 0.3}});
    EXPECT_TRUE(tree.tentative_roots().empty());
    for (const auto& leaf : tree.leaves())
        EXPECT_EQ(leaf->report->contact_label(), (Label{kTrackerId, 0}));
}

TEST_F(HypothesisTreeTest, LabelledContactFailingItsContinuationGateIsReinitiated) {
    step(0, {{kA, 0.0}});
    push(1, {{kA, 50.0}});
    const HypothesisNode& head = *tree.heads().front();
    ASSERT_EQ(head.children.size(), 1u);  // only the coast: 50 is outside every gate
    EXPECT_TRUE(head.children.front()->no_contact);
    ASSERT_EQ(tree.tentative_roots().size(), 1u);
    EXPECT_EQ(tree.tentative_roots().front()->report->contact_label(), (Label{kTrackerId, 0}));
    EXPECT_EQ(tree.tentative_roots().front()->track_number, 1);
}

// Two labels filed under one track: the one that fails its gate is
// re-initiated, and the continuation made for the other stays.
TEST_F(HypothesisTreeTest, FailedContinuationTakesBackOnlyItsOwnChildren) {
    step(0, {{kA, 0.0}});
    step(1, {{kB, 0.5}});  // kB extends track 0 and is filed under it
    push(2, {{kA, 0.6}, {kB, 5.0}});
    const HypothesisNode& head = *tree.heads().front();
    ASSERT_EQ(head.children.size(), 1u);
    EXPECT_DOUBLE_EQ(tree_test::position_of(head.children.front()->track_state().states), 0.6);
    ASSERT_EQ(tree.tentative_roots().size(), 1u);
    EXPECT_EQ(tree.tentative_roots().front()->report->contact_label(), (Label{kTrackerId, 0}));
    EXPECT_EQ(*tree.label_remap_table().find(kB), (Label{kTrackerId, 0}));
}

// With a continuation gate narrower than the updater's, the failed
// continuation leaves the contact free to extend the same track as a new
// contact.
TEST_F(HypothesisTreeTest, ReinitiatedContactMayStillExtendTheTrackByItsUpdater) {
    scene.continuation_gate = 0.1;
    step(0, {{kA, 0.0}});
    auto output = step(1, {{kA, 0.5}});
    EXPECT_EQ(tree_test::labels_of(*output), (std::vector<Label>{{kTrackerId, 0}}));
    EXPECT_EQ(tree_test::positions_of(*output), (std::vector<double>{0.5}));
}

TEST_F(HypothesisTreeTest, TerminatedHeadIsDroppedBeforeReport) {
    std::vector<std::size_t> tracks;
    tracks.push_back(step(0, {{kA, 0.0}})->track_reports.size());
    for (int t = 1; t <= 4; ++t) tracks.push_back(step(t, {})->track_reports.size());
    // Coasts in frames 1 and 2; terminated in frame 3, so it is not reported.
    EXPECT_EQ(tracks, (std::vector<std::size_t>{1, 1, 1, 0, 0}));
    EXPECT_TRUE(tree.heads().empty());
    EXPECT_TRUE(tree.terminated().empty());
    EXPECT_EQ(tree.groups().size(), 0u);
    // The label is forgotten with the last hypothesis that used it.
    EXPECT_EQ(tree.label_remap_table().find(kA), nullptr);
}

TEST_F(HypothesisTreeTest, OutputLabelsAreTrackerIdAndTrackNumberWithGapsForDiscardedTracks) {
    step(0, {{kA, 0.0}});
    step(1, {{kB, 0.5}});  // explains kB better than a new track: track 1 is discarded
    const auto output = step(2, {{kB, 0.6}, {kC, 100.0}});
    EXPECT_EQ(tree_test::labels_of(*output),
              (std::vector<Label>{{kTrackerId, 0}, {kTrackerId, 2}}));
    EXPECT_EQ(tree_test::positions_of(*output), (std::vector<double>{0.6, 100.0}));
}

TEST_F(HypothesisTreeTest, ContactFiledUnderItsTrackKeepsOneRowPerTrack) {
    // One target over many frames, each contact with a label of its own, as
    // a contact converter numbers them; every third frame is missed, so some
    // contacts follow a coast.
    int last = 0;
    for (int t = 0; t < 30; ++t) {
        std::vector<Contact> contacts;
        if (t % 3 != 2) contacts.push_back({Label{0, last = t}, 0.1 * t});
        const auto output = step(t, contacts);
        EXPECT_EQ(tree_test::labels_of(*output), (std::vector<Label>{{kTrackerId, 0}}));
        EXPECT_EQ(tree.groups().size(), 1u) << "frame " << t;
        EXPECT_EQ(tree.hypothesis_count(), 1u);
    }
    ASSERT_EQ(tree.heads().size(), 1u);
    // Every contact's label now continues that track.
    push(30, {{Label{0, last}, 3.0}});
    EXPECT_EQ(tree.heads().front()->children.size(), 1u);
}

TEST_F(HypothesisTreeTest, DeferredCommitKeepsEveryAlternativeUntilItsFrameIsOldest) {
    push(0, {{kA, 0.0}});
    push(1, {{kB, 0.5}});
    push(2, {{kC, 1.0}});
    EXPECT_EQ(tree.frame_count(), 4u);
    tree.resolve();  // pops the initial entry, confirms frame 0's track
    EXPECT_EQ(tree.frame_count(), 3u);
    EXPECT_EQ(tree.heads().size(), 1u);
    EXPECT_EQ(tree.tentative_roots().size(), 2u);
    tree.resolve();  // solves; frame 1: kB extends track 0, track 1 is discarded
    EXPECT_EQ(tree.resolution_counter(), 1);
    ASSERT_EQ(tree.heads().size(), 1u);
    EXPECT_DOUBLE_EQ(tree_test::position_of(tree.heads().front()->track_state().states), 0.5);
    EXPECT_EQ(tree.tentative_roots().size(), 1u);
    expect_one_column_each(tree);
}

TEST_F(HypothesisTreeTest, InfiniteCostsReachTheProgramAsFiniteScores) {
    scene.coast_cost = std::numeric_limits<double>::infinity();  // detection probability 1
    push(0, {{kA, 0.0}});
    tree.resolve();
    push(1, {{kB, 0.5}});
    const ostrel::BinaryProgram program = tree.build_program();
    bool clamped = false;
    for (double score : program.objective()) {
        EXPECT_TRUE(std::isfinite(score));
        clamped |= score == -ostrel::BinaryProgram::kScoreLimit;
    }
    EXPECT_TRUE(clamped);
}

TEST(HypothesisTreeSolvers, InfiniteCostsAreSolvedByEveryAlgorithm) {
    using ostrel::AssignmentAlgorithm;
    for (AssignmentAlgorithm algorithm :
         {AssignmentAlgorithm::greedy, AssignmentAlgorithm::hybrid, AssignmentAlgorithm::optimal,
          AssignmentAlgorithm::branch_and_bound, AssignmentAlgorithm::random_greedy}) {
        SCOPED_TRACE(ostrel::assignment_algorithm_text(algorithm));
        HypothesisTree tree(kTrackerId, ostrel::AssignmentSolver(algorithm));
        Scene scene;
        scene.coast_cost = std::numeric_limits<double>::infinity();
        tree.update(scene.frame(0, {{kA, 0.0}, {kB, 10.0}}));
        tree.resolve();
        tree.update(scene.frame(1, {{kC, 0.5}, {Label{0, 3}, 10.2}}));
        tree.resolve();
        const auto output = tree.report();
        EXPECT_EQ(tree_test::labels_of(*output),
                  (std::vector<Label>{{kTrackerId, 0}, {kTrackerId, 1}}));
        EXPECT_EQ(tree_test::positions_of(*output), (std::vector<double>{0.5, 10.2}));
    }
}

TEST(HypothesisTreeFailures, ReportEveryDetectedFault) {
    Scene scene;
    struct Case {
        const char* name;
        void (*act)(HypothesisTree&, const Scene&);
        const char* message;
    };
    const Case cases[] = {
        {"resolve before any frame", [](HypothesisTree& t, const Scene&) { t.resolve(); },
         "attempt to resolve with only one frame"},
        {"report before any resolve", [](HypothesisTree& t, const Scene&) { t.report(); },
         "Frame::cast()"},
        {"null frame", [](HypothesisTree& t, const Scene&) { t.update(nullptr); }, "Frame::cast()"},
        {"other frame type",
         [](HypothesisTree& t, const Scene&) {
             t.update(std::make_shared<frame::CompositeStateFrame>(0.0));
         },
         "Frame::cast()"},
        {"contact without label",
         [](HypothesisTree& t, const Scene& s) {
             auto f = s.frame(0, {{kA, 0.0}});
             f->track_reports.front()->contact = std::make_shared<state::CompositeState>();
             t.update(f);
         },
         "State::cast()"},
        {"the initial label entry has no group",
         [](HypothesisTree& t, const Scene& s) { t.update(s.frame(0, {{Label{-1, 0}, 0.0}})); },
         "hypos is empty"},
        {"one new label twice in a frame",
         [](HypothesisTree& t, const Scene& s) { t.update(s.frame(0, {{kA, 0.0}, {kA, 5.0}})); },
         "hypos is empty"},
        {"frame without coast report",
         [](HypothesisTree& t, const Scene& s) {
             t.update(s.frame(0, {{kA, 0.0}}));
             auto f = s.frame(1, {});
             f->coast_track_report = nullptr;
             t.update(f);
         },
         "track report frame has no coast track report"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HypothesisTree tree(kTrackerId);
        EXPECT_MESSAGE_STARTS(c.act(tree, scene), c.message);
    }
}

TEST(LabelRemapTable, FilesLabelsUnderFreshOnesAndForgetsThemWithTheirGroups) {
    ostrel::LabelRemapTable table(kTrackerId);
    ASSERT_NE(table.find(Label{-1, 0}), nullptr);
    EXPECT_EQ(*table.find(Label{-1, 0}), (Label{-1, 0}));
    EXPECT_EQ(table.find(kA), nullptr);

    table.insert_identity(kA);
    EXPECT_EQ(*table.find(kA), kA);
    const Label fresh = table.mint();
    EXPECT_EQ(fresh, (Label{kTrackerId, 0}));
    EXPECT_EQ(table.mint(), (Label{kTrackerId, 1}));
    table.remap(kA, fresh);
    EXPECT_EQ(*table.find(kA), fresh);

    table.erase(kA);  // the old group ends: kA still follows the fresh label
    ASSERT_NE(table.find(kA), nullptr);
    EXPECT_EQ(*table.find(kA), fresh);
    table.erase(fresh);  // the fresh group ends: kA is unknown again
    EXPECT_EQ(table.find(kA), nullptr);
    table.erase(Label{5, 5});  // unknown: nothing happens
    EXPECT_EQ(table.size(), 1u);
}

}  // namespace
