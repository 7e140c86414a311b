#include "tracker/node_release.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "model/label.h"

namespace ostrel {
namespace {

HypothesisNodePtr make_node(std::weak_ptr<const TrackState>* state = nullptr) {
    auto report = std::make_shared<TrackReport>();
    auto track_state = std::make_shared<const TrackState>(state::Label{1, 2});
    if (state) *state = track_state;
    report->track_state = std::move(track_state);
    return std::make_shared<HypothesisNode>(std::move(report), 0, 0.0, false);
}

// A pruned subtree goes into the batch except the nodes something else
// still holds (a list of the tree); releasing the batch frees the rest with
// their track states and leaves the held ones marked and detached.
TEST(NodeRelease, PrunedNodesNoOneElseHoldsAreFreedAsABatch) {
    std::weak_ptr<const TrackState> root_state;
    HypothesisNodePtr root = make_node(&root_state);
    HypothesisNodePtr a = make_node(), b = make_node(), c = make_node();
    std::weak_ptr<HypothesisNode> weak_root = root, weak_a = a, weak_b = b;
    root->adopt(a);
    root->adopt(b);
    a->adopt(c);
    const HypothesisNodePtr listed = c;  // as the leaf list holds it
    a.reset();
    b.reset();
    c.reset();

    std::vector<HypothesisNodePtr> batch;
    prune_subtree(std::move(root), &batch);
    EXPECT_EQ(batch.size(), 3u);
    EXPECT_FALSE(weak_root.expired());

    release_nodes(batch);
    EXPECT_TRUE(batch.empty());
    EXPECT_TRUE(weak_root.expired());
    EXPECT_TRUE(weak_a.expired());
    EXPECT_TRUE(weak_b.expired());
    EXPECT_TRUE(root_state.expired());
    EXPECT_TRUE(listed->pruned);
    EXPECT_EQ(listed->parent, nullptr);
}

// A batch longer than the read-ahead distance, with nodes lacking a report
// or a track state, is released in full.
TEST(NodeRelease, LongBatchesWithEmptyReportsAreReleasedInFull) {
    std::vector<HypothesisNodePtr> batch;
    std::vector<std::weak_ptr<HypothesisNode>> watched;
    for (int i = 0; i < 50; ++i) {
        HypothesisNodePtr node = make_node();
        if (i % 7 == 0) node->report.reset();
        if (i % 5 == 0 && node->report) node->report->track_state.reset();
        watched.push_back(node);
        batch.push_back(std::move(node));
    }
    release_nodes(batch);
    EXPECT_TRUE(batch.empty());
    for (const auto& node : watched) EXPECT_TRUE(node.expired());
}

}  // namespace
}  // namespace ostrel
