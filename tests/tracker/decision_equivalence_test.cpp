// The shortcuts of the tracker (the position index of new contacts, the
// time stages run once per leaf, the prefetch thread) must never change a
// decision: the same frames give the same written output byte for byte with
// the index on and off and with one thread or two, on randomised scenes and
// on the shipped examples.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>

#include "filters/filter_registry.h"
#include "model/composite_state_frame.h"
#include "model/states/position_estimate_state.h"
#include "model/states/sensor_type_state.h"
#include "model/states/time_state.h"
#include "model/track_label_state.h"
#include "pipeline/prefetch.h"
#include "support/recorder.h"
#include "support/run_command.h"
#include "support/temp_dir.h"
#include "tracker/filter_definer.h"
#include "tracker/multiple_hypothesis_tracker.h"
#include "tracker/track_report_frame.h"
#include "xml/out_stream.h"

namespace {

namespace fs = std::filesystem;

// Cells wandering over a square, some crowded together, with spurious
// contacts and contacts of unequal precision; every contact numbered as a
// contact converter numbers them.
std::vector<cmpnt::FramePtr> random_scene(unsigned seed, int cells, int frames) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::normal_distribution<double> step(0.0, 2.0);
    const double side = 40.0 * std::sqrt(static_cast<double>(cells));
    std::vector<std::array<double, 2>> where(cells);
    for (auto& p : where) p = {unit(random) * side, unit(random) * side};
    // A crowd: a quarter of the cells start within a few pixels of each other.
    for (int i = 0; i < cells / 4; ++i) where[i] = {side / 2 + 3.0 * i, side / 2 + 2.0 * (i % 3)};
    std::vector<cmpnt::FramePtr> result;
    std::int32_t number = 0;
    for (int t = 0; t < frames; ++t) {
        auto frame = std::make_shared<frame::CompositeStateFrame>(t);
        frame->meta_data->insert(std::make_shared<const snsr::SensorTypeState>("cells"));
        frame->meta_data->insert(std::make_shared<const state::TimeState>(t));
        auto add = [&](double x, double y) {
            const double variance = 0.5 + 2.0 * unit(random);
            auto contact = std::make_shared<state::CompositeState>();
            contact->insert(std::make_shared<const state::TimeState>(t));
            contact->insert(std::make_shared<const state::TrackLabelState>(state::Label{1000, number++}));
            contact->insert(std::make_shared<const state::PositionEstimateState<2>>(
                nmrc::Normal<2>({x, y}, nmrc::SymmetricMatrix<2>::diagonal({variance, 1.5 * variance})),
                t));
            frame->composite_states.push_back(std::move(contact));
        };
        for (auto& p : where) {
            p = {p[0] + step(random), p[1] + step(random)};
            if (unit(random) < 0.9) add(p[0], p[1]);
        }
        for (int i = 0; i < 1 + cells / 10; ++i) add(unit(random) * side, unit(random) * side);
        result.push_back(frame);
    }
    return result;
}

struct Setting {
    const char* filters;  // file under examples/filters
    const char* algorithm;
    int nscan;
    bool index;
    int threads;
    const char* bound = "";  // further tracker elements
};

// Everything the tracker emits, written out.
std::string tracker_output(const Setting& run, const std::vector<cmpnt::FramePtr>& frames) {
    for (const ostrel::FilterKey& entry : ostrel::filter_keys())
        ostrel::filter_factory().registerize(entry.key, entry.creator);
    auto definer = std::make_shared<ostrel::FilterDefiner>(
        xml::Querier::open(std::string(OSTREL_SOURCE_DIR) + "/examples/filters/" + run.filters));
    auto tracker = std::make_shared<ostrel::MultipleHypothesisTracker>(xml::Querier::parse(
        std::string("<?xml?>\n<multiple_hypothesis_tracker><assignment_algorithm>") + run.algorithm +
        "</assignment_algorithm><nscan>" + std::to_string(run.nscan) + "</nscan><gate_index>" +
        (run.index ? "true" : "false") + "</gate_index>" + run.bound + "</multiple_hypothesis_tracker>"));
    auto prefetch = std::make_shared<cmpnt::Prefetch>(2, run.threads);
    auto recorder = std::make_shared<test_support::Recorder>();
    prefetch->insert_child(definer);
    definer->insert_child(tracker);
    tracker->insert_child(recorder);
    for (const auto& frame : frames) prefetch->push_frame(frame);
    prefetch->push_frame(nullptr);

    // Each tracker takes the next label source of the program: the written
    // labels name it as "tracker".
    std::ostringstream text;
    {
        xml::OutStream out(text, " ");
        out.tag("run");
        for (const auto& frame : recorder->frames)
            if (frame) frame->cast<frame::TrackReportFrame>().write(out);
        out.end_tag();
    }
    std::string written = text.str();
    const std::string own = "<src>" + std::to_string(tracker->tree().tracker_id()) + "</src>";
    for (auto at = written.find(own); at != std::string::npos; at = written.find(own, at))
        written.replace(at, own.size(), "<src>tracker</src>");
    return written;
}

// Where two long texts first differ (gtest's own diff of texts this long
// takes minutes).
std::string first_difference(const std::string& a, const std::string& b) {
    std::size_t at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
    const std::size_t from = at > 200 ? at - 200 : 0;
    return "first difference at " + std::to_string(at) + ":\n" + a.substr(from, 400) + "\n----\n" +
           b.substr(from, 400);
}

class RandomScenes : public ::testing::TestWithParam<Setting> {};

TEST_P(RandomScenes, OutputIsTheSameWithIndexOffAndOneThread) {
    const Setting fast = GetParam();
    for (unsigned seed : {1u, 2u, 3u}) {
        const auto frames = random_scene(seed, 24, 14);
        const std::string expected =
            tracker_output({fast.filters, fast.algorithm, fast.nscan, false, 1, fast.bound}, frames);
        ASSERT_NE(expected.find("track_report"), std::string::npos) << "the scene made no tracks";
        const std::string output = tracker_output(fast, frames);
        EXPECT_TRUE(output == expected) << "seed " << seed << ": " << first_difference(output, expected);
        // A bound must have bitten in the crowd, or it tested nothing.
        if (*fast.bound) {
            EXPECT_NE(output, tracker_output({fast.filters, fast.algorithm, fast.nscan, true, 1}, frames));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    FiltersAlgorithmsDepths, RandomScenes,
    ::testing::Values(Setting{"cell_tracking_position_2d.xml", "greedy", 2, true, 2},
                      Setting{"cell_tracking_position_2d.xml", "hybrid", 1, true, 1},
                      Setting{"cell_tracking_position_2d.xml", "optimal", 3, false, 2},
                      Setting{"cell_tracking_2d.xml", "hybrid", 2, true, 2},
                      Setting{"cell_tracking_2d.xml", "greedy", 0, true, 1},
                      Setting{"cell_tracking_position_2d.xml", "greedy", 2, true, 1,
                              "<maximum_contacts_per_hypothesis>2</maximum_contacts_per_hypothesis>"}));

// The shipped examples through the program, compared file by file.
class ShippedExamples : public ::testing::Test {
protected:
    // Runs `config` (relative to the copied examples folder) in a fresh copy,
    // with `edit` applied to it and OSTREL_THREADS set; returns the output
    // folder's files by name.
    std::map<std::string, std::string> run(const std::string& config, const std::string& output,
                                           const std::string& edit_from, const std::string& edit_to,
                                           int threads) {
        test_support::TempDir root("decisions");
        fs::copy(fs::path(OSTREL_SOURCE_DIR) / "examples", root.path() / "examples",
                 fs::copy_options::recursive);
        const fs::path file = root.path() / "examples" / config;
        std::string text = test_support::slurp(file.string());
        if (!edit_from.empty()) {
            const auto at = text.find(edit_from);
            EXPECT_NE(at, std::string::npos) << edit_from;
            if (at != std::string::npos) text.replace(at, edit_from.size(), edit_to);
        }
        std::ofstream(file) << text;
        const auto result = test_support::run_command(
            "XDG_DATA_HOME='" + root.str() + "/data' OSTREL_SEED=7 OSTREL_THREADS=" +
                std::to_string(threads) + " " + test_support::ostrel_binary() + " " + file.string(),
            root.str());
        EXPECT_EQ(result.err.rfind("\nElapsed time: ", 0), 0u) << result.err;
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::directory_iterator(file.parent_path() / output))
            files[entry.path().filename().string()] = test_support::slurp(entry.path().string());
        EXPECT_FALSE(files.empty()) << output;
        return files;
    }
};

TEST_F(ShippedExamples, CellExamplesWriteTheSameFilesWithIndexOffAndOneThread) {
    const std::string nscan = "<nscan>2</nscan>";
    const std::string off = nscan + "<gate_index>false</gate_index>";
    for (const auto& [config, output] : {std::pair{"cells/track_cells.xml", "result"},
                                         std::pair{"cells/track_label_masks.xml", "result_from_masks"}}) {
        const auto fast = run(config, output, "", "", 2);
        EXPECT_EQ(run(config, output, nscan, off, 1), fast) << config;
    }
}

TEST_F(ShippedExamples, ScenarioWritesTheSameFramesWithIndexOff) {
    const std::string nscan = "<nscan>";
    const auto fast = run("scenario/scenario.xml", "tracks", "", "", 2);
    EXPECT_EQ(run("scenario/scenario.xml", "tracks", nscan, "<gate_index>false</gate_index><nscan>", 1), fast);
}

}  // namespace
