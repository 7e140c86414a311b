// Many targets with missed detections and spurious contacts, through the
// tracker component, for every algorithm and several n-scan depths.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <set>

#include "support/recorder.h"
#include "tracker/multiple_hypothesis_tracker.h"
#include "tracker/tree_test_support.h"

namespace {

using state::Label;

constexpr int kTargets = 6;
constexpr int kFrames = 24;
constexpr double kSpacing = 20.0;

double truth(int target, int t) { return kSpacing * target + 0.3 * t; }
// Each target misses one frame in seven, never two in a row.
bool detected(int target, int t) { return (t + target) % 7 != 3; }

std::vector<std::vector<tree_test::Contact>> scenario() {
    std::mt19937 random(12345);
    std::normal_distribution<double> noise(0.0, 0.1);
    std::vector<std::vector<tree_test::Contact>> frames(kFrames);
    std::int32_t number = 0;
    for (int t = 0; t < kFrames; ++t) {
        for (int target = 0; target < kTargets; ++target)
            if (detected(target, t)) frames[t].push_back({Label{0, number++}, truth(target, t) + noise(random)});
        // A spurious contact between two targets every third frame, none in
        // the last frames.
        if (t % 3 == 1 && t < kFrames - 6)
            frames[t].push_back({Label{0, number++}, kSpacing * (t % kTargets) + 10.0 + noise(random)});
    }
    return frames;
}

class TrackerScenario
    : public ::testing::TestWithParam<std::tuple<const char*, int>> {};

TEST_P(TrackerScenario, TargetsKeepTheirLabelsAndSpuriousTracksEnd) {
    const auto [algorithm, nscan] = GetParam();
    auto tracker = std::make_shared<ostrel::MultipleHypothesisTracker>(xml::Querier::parse(
        std::string("<?xml?>\n<multiple_hypothesis_tracker><assignment_algorithm>") + algorithm +
        "</assignment_algorithm><nscan>" + std::to_string(nscan) +
        "</nscan></multiple_hypothesis_tracker>"));
    auto recorder = std::make_shared<test_support::Recorder>();
    tracker->insert_child(recorder);

    tree_test::Scene scene;
    const auto frames = scenario();
    for (int t = 0; t < kFrames; ++t) {
        tracker->push_frame(scene.frame(t, frames[t]));
        tree_test::expect_consistent(tracker->tree());
        if (HasFailure()) return;
    }
    tracker->push_frame(nullptr);
    ASSERT_EQ(recorder->frames.size(), kFrames + 1u);

    std::map<int, Label> label_of_target;
    for (int t = 0; t < kFrames; ++t) {
        const auto& out = recorder->frames[t]->cast<frame::TrackReportFrame>();
        EXPECT_DOUBLE_EQ(out.time, t);
        const auto labels = tree_test::labels_of(out);
        const auto positions = tree_test::positions_of(out);
        EXPECT_EQ(std::set<Label>(labels.begin(), labels.end()).size(), labels.size());
        for (int target = 0; target < kTargets; ++target) {
            if (!detected(target, t)) continue;
            int found = 0;
            for (std::size_t i = 0; i < labels.size(); ++i) {
                if (std::fabs(positions[i] - truth(target, t)) > 0.5) continue;
                ++found;
                auto known = label_of_target.emplace(target, labels[i]).first;
                EXPECT_EQ(known->second, labels[i]) << "target " << target << " frame " << t;
            }
            EXPECT_EQ(found, 1) << "target " << target << " frame " << t;
        }
    }
    // The spurious tracks have coasted out: only the targets are left.
    const auto& last = recorder->frames[kFrames - 1]->cast<frame::TrackReportFrame>();
    EXPECT_EQ(last.track_reports.size(), static_cast<std::size_t>(kTargets));
}

INSTANTIATE_TEST_SUITE_P(AlgorithmsAndDepths, TrackerScenario,
                         ::testing::Combine(::testing::Values("greedy", "hybrid", "optimal",
                                                              "branch_and_bound", "random_greedy"),
                                            ::testing::Values(0, 1, 3)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param)) + "_nscan" +
                                    std::to_string(std::get<1>(info.param));
                         });

}  // namespace
