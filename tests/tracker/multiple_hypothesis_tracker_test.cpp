#include "tracker/multiple_hypothesis_tracker.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "model/composite_state_frame.h"
#include "model/label.h"
#include "support/expect_message.h"
#include "support/recorder.h"
#include "support/temp_dir.h"
#include "tracker/tree_test_support.h"

namespace {

using ostrel::MultipleHypothesisTracker;
using state::Label;
using tree_test::Scene;

xml::Querier parse(const std::string& body) { return xml::Querier::parse("<?xml?>\n" + body); }

std::string config(const std::string& nscan, const std::string& algorithm = "optimal",
                   const std::string& extra = "") {
    return "<multiple_hypothesis_tracker>" + extra + "<assignment_algorithm>" + algorithm +
           "</assignment_algorithm><nscan>" + nscan + "</nscan></multiple_hypothesis_tracker>";
}

struct Pipeline {
    explicit Pipeline(const std::string& text) : Pipeline(std::make_shared<MultipleHypothesisTracker>(parse(text))) {}
    explicit Pipeline(const MultipleHypothesisTracker::Parameters& parameters)
        : Pipeline(std::make_shared<MultipleHypothesisTracker>(parameters)) {}
    explicit Pipeline(std::shared_ptr<MultipleHypothesisTracker> built)
        : tracker(std::move(built)), recorder(std::make_shared<test_support::Recorder>()) {
        tracker->insert_child(recorder);
    }
    const frame::TrackReportFrame& output(std::size_t index) const {
        return recorder->frames.at(index)->cast<frame::TrackReportFrame>();
    }
    std::shared_ptr<MultipleHypothesisTracker> tracker;
    std::shared_ptr<test_support::Recorder> recorder;
};

// One target moving right, a second appearing in frame 2.
std::vector<tree_test::Contact> contacts_at(int t) {
    std::vector<tree_test::Contact> contacts{{Label{0, 10 * t}, 0.3 * t}};
    if (t >= 2) contacts.push_back({Label{0, 10 * t + 1}, 50.0 - 0.2 * t});
    return contacts;
}

TEST(MultipleHypothesisTracker, OutputIsDelayedByNscanFramesAndFlushedAtTheEnd) {
    struct Case {
        const char* nscan;
        std::size_t depth;
    };
    for (const Case c : {Case{"0", 0}, Case{"1", 1}, Case{"3", 3}, Case{"-3", 0}}) {
        SCOPED_TRACE(c.nscan);
        Pipeline pipeline(config(c.nscan));
        Scene scene;
        const int frames = 6;
        for (int t = 0; t < frames; ++t) {
            pipeline.tracker->push_frame(scene.frame(10.0 + t, contacts_at(t)));
            const std::size_t expected = t + 1 > static_cast<int>(c.depth) ? t + 1 - c.depth : 0;
            EXPECT_EQ(pipeline.recorder->frames.size(), expected);
        }
        pipeline.tracker->push_frame(nullptr);
        ASSERT_EQ(pipeline.recorder->frames.size(), frames + 1u);
        EXPECT_EQ(pipeline.recorder->frames.back(), nullptr);
        EXPECT_EQ(pipeline.recorder->end_marks(), 1u);
        const std::int32_t id = pipeline.tracker->tree().tracker_id();
        for (int t = 0; t < frames; ++t) {
            const frame::TrackReportFrame& out = pipeline.output(t);
            EXPECT_DOUBLE_EQ(out.time, 10.0 + t);
            // The first target is track 0 throughout; every contact also
            // starts a tentative track, so the second target, born in frame
            // 2 after the first target's contacts of frames 1 and 2, is track 3.
            std::vector<Label> expected{{id, 0}};
            if (t >= 2) expected.push_back({id, 3});
            EXPECT_EQ(tree_test::labels_of(out), expected) << "frame " << t;
        }
    }
}

TEST(MultipleHypothesisTracker, EmptyInputPassesOnlyTheEndOfInput) {
    Pipeline pipeline(config("2"));
    pipeline.tracker->push_frame(nullptr);
    ASSERT_EQ(pipeline.recorder->frames.size(), 1u);
    EXPECT_EQ(pipeline.recorder->frames.front(), nullptr);
}

TEST(MultipleHypothesisTracker, TakesTheNextLabelSourceBeforeReadingItsConfiguration) {
    Pipeline pipeline(config("0"));
    const std::int32_t next = state::take_label_source();
    EXPECT_EQ(pipeline.tracker->tree().tracker_id(), next - 1);
}

TEST(MultipleHypothesisTracker, ReadsAlgorithmAndDepth) {
    struct Case {
        const char* text;
        ostrel::AssignmentAlgorithm algorithm;
    };
    using ostrel::AssignmentAlgorithm;
    for (const Case c : {Case{"hybrid", AssignmentAlgorithm::hybrid},
                         Case{" branch_and_bound\n", AssignmentAlgorithm::branch_and_bound},
                         Case{"simplex", AssignmentAlgorithm::greedy},
                         Case{"", AssignmentAlgorithm::greedy}}) {
        SCOPED_TRACE(c.text);
        Pipeline pipeline(config("4", c.text));
        EXPECT_EQ(pipeline.tracker->tree().solver().algorithm(), c.algorithm);
        EXPECT_EQ(pipeline.tracker->nscan(), 4);
    }
}

TEST(MultipleHypothesisTracker, PrintLpsIsOnOnlyForActiveExactlyTrue) {
    test_support::TempDir dir("print_lps");
    const std::string folder = (dir.path() / "lps").string();
    for (const char* active : {"True", "false", "yes"}) {
        Pipeline pipeline(config("0", "optimal",
                                 std::string("<print_lps active=\"") + active + "\"/>"));
        EXPECT_FALSE(pipeline.tracker->tree().solver().print_lps().active) << active;
    }
    Pipeline pipeline(config("0", "optimal",
                             "<print_lps active=\"true\"><directory>" + folder +
                                 "</directory></print_lps>"));
    EXPECT_TRUE(pipeline.tracker->tree().solver().print_lps().active);
    Scene scene;
    for (int t = 0; t < 4; ++t) pipeline.tracker->push_frame(scene.frame(t, contacts_at(t)));
    // One program per solve, named by its resolution number.
    const int solves = pipeline.tracker->tree().resolution_counter();
    ASSERT_GT(solves, 0);
    for (int n = 1; n <= solves; ++n)
        EXPECT_TRUE(std::filesystem::exists(dir.path() / "lps" / (std::to_string(n) + ".lp"))) << n;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "lps" / (std::to_string(solves + 1) + ".lp")));
}

TEST(MultipleHypothesisTracker, ConfigurationErrorsComeFromTheReader) {
    EXPECT_MESSAGE(MultipleHypothesisTracker(parse(config("1", "greedy", "<print_lps/>"))),
                   "unable to convert text from attribute = active");
    EXPECT_MESSAGE_STARTS(MultipleHypothesisTracker(parse(config("x"))),
                          "unable to convert text from tag = nscan");
    EXPECT_THROW(MultipleHypothesisTracker(parse(config(
                     "1", "greedy", "<print_lps active=\"true\"></print_lps>"))),
                 util::Exception);
    EXPECT_THROW(MultipleHypothesisTracker(parse(
                     "<multiple_hypothesis_tracker><nscan>1</nscan></multiple_hypothesis_tracker>")),
                 util::Exception);
    EXPECT_THROW(MultipleHypothesisTracker(parse("<multiple_hypothesis_tracker><assignment_algorithm>"
                                                 "greedy</assignment_algorithm>"
                                                 "</multiple_hypothesis_tracker>")),
                 util::Exception);
}

// The numbers of an output frame's track labels; each tracker labels under
// its own source, which must be the one it took.
std::vector<std::int32_t> track_numbers(const frame::TrackReportFrame& frame, std::int32_t source) {
    std::vector<std::int32_t> numbers;
    for (const Label& label : tree_test::labels_of(frame)) {
        EXPECT_EQ(label.src, source);
        numbers.push_back(label.id);
    }
    return numbers;
}

TEST(MultipleHypothesisTracker, BuiltFromParametersDecidesAsFromItsElement) {
    MultipleHypothesisTracker::Parameters parameters;
    parameters.assignment_algorithm = ostrel::AssignmentAlgorithm::branch_and_bound;
    parameters.nscan = 1;
    parameters.gate_index = false;
    parameters.maximum_hypotheses_per_track = 3;
    Pipeline built(parameters);
    Pipeline configured(config("1", "branch_and_bound",
                               "<gate_index>false</gate_index><maximum_hypotheses_per_track>3"
                               "</maximum_hypotheses_per_track>"));

    EXPECT_EQ(built.tracker->tree().solver().algorithm(), ostrel::AssignmentAlgorithm::branch_and_bound);
    EXPECT_FALSE(built.tracker->tree().gate_index());
    EXPECT_EQ(built.tracker->tree().limits().per_track, 3);
    EXPECT_EQ(built.tracker->tree().limits().contacts_per_hypothesis, ostrel::HypothesisLimits{}.contacts_per_hypothesis);
    Scene scene;
    for (int t = 0; t < 6; ++t) {
        built.tracker->push_frame(scene.frame(t, contacts_at(t)));
        configured.tracker->push_frame(scene.frame(t, contacts_at(t)));
    }
    built.tracker->push_frame(nullptr);
    configured.tracker->push_frame(nullptr);
    ASSERT_EQ(built.recorder->frames.size(), 7u);
    ASSERT_EQ(configured.recorder->frames.size(), 7u);
    for (std::size_t t = 0; t < 6; ++t)
        EXPECT_EQ(track_numbers(built.output(t), built.tracker->tree().tracker_id()),
                  track_numbers(configured.output(t), configured.tracker->tree().tracker_id()))
            << "frame " << t;
}

TEST(MultipleHypothesisTracker, ParametersBuiltInCodeAreCheckedAsConfiguredOnes) {
    MultipleHypothesisTracker::Parameters bad;
    bad.hypothesis_ratio = 1.5;
    bad.maximum_contacts_per_hypothesis = 0;
    bad.print_lps.active = true;
    try {
        MultipleHypothesisTracker tracker(bad);
        ADD_FAILURE() << "no error";
    } catch (const util::Exception& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("multiple_hypothesis_tracker: hypothesis_ratio"), std::string::npos) << message;
        EXPECT_NE(message.find("maximum_contacts_per_hypothesis = 0"), std::string::npos) << message;
    }
    // An active print setting without a folder is refused by the key's rule.
    MultipleHypothesisTracker::Parameters no_folder;
    no_folder.print_lps.active = true;
    EXPECT_MESSAGE_CONTAINS(MultipleHypothesisTracker{no_folder}, "multiple_hypothesis_tracker: print_lps");
}

TEST(MultipleHypothesisTracker, RejectsFramesOfAnotherType) {
    Pipeline pipeline(config("0"));
    EXPECT_MESSAGE_STARTS(pipeline.tracker->push_frame(std::make_shared<frame::CompositeStateFrame>(0.0)),
                   "Frame::cast()");
    EXPECT_TRUE(pipeline.recorder->frames.empty());
}

}  // namespace
