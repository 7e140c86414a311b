#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "model/composite_state_frame.h"
#include "model/track_label_state.h"
#include "pipeline/frame_counter.h"
#include "pipeline/frame_reader.h"

#include "pipeline/frame_stage_test_support.h"
#include "pipeline/frame_writer.h"
#include "support/expect_message.h"
#include "support/temp_dir.h"
#include "util/system_test_support.h"

namespace fs = std::filesystem;
using test_support::CoutCapture;
using test_support::element;
using test_support::FrameRecorder;
using test_support::TempDir;

namespace {

void register_keys() {
    frame::factory().registerize("composite_state_frame", &util::create<frame::Frame, frame::CompositeStateFrame>);
    state::factory().registerize("track_label_state", &util::create<state::State, state::TrackLabelState>);
}

std::shared_ptr<cmpnt::FrameWriter> writer_into(const std::string& folder) {
    return std::make_shared<cmpnt::FrameWriter>(element(
        "<frame_writer><directory>" + folder +
        "</directory><create>false</create><time_width>0</time_width><time_factor>1</time_factor>"
        "<count_width>3</count_width></frame_writer>"));
}

cmpnt::FrameReader reader_of(const std::string& folder, const std::string& pattern = "") {
    std::string pattern_element = pattern.empty() ? "" : "<pattern>" + pattern + "</pattern>";
    return cmpnt::FrameReader(element("<frame_reader><directory>" + folder + "</directory>" + pattern_element +
                                      "</frame_reader>"));
}

state::StatePtr label(int src, int id) {
    return std::make_shared<state::TrackLabelState>(state::Label{src, id});
}

std::shared_ptr<frame::CompositeStateFrame> frame_with_labels(double time, int tracks) {
    auto f = std::make_shared<frame::CompositeStateFrame>(time);
    f->meta_data->insert(label(-1, static_cast<int>(time * 10)));
    for (int i = 0; i < tracks; ++i) {
        auto set = std::make_shared<state::CompositeState>();
        set->insert(label(2, 100 + i));
        f->composite_states.push_back(set);
    }
    return f;
}

std::string read_file(const fs::path& file) {
    std::ifstream in(file);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Runs a reader to its end; returns every frame its child received.
std::vector<cmpnt::FramePtr> drain(cmpnt::FrameReader& reader) {
    auto recorder = std::make_shared<FrameRecorder>();
    reader.insert_child(recorder);
    for (std::size_t guard = 0; reader.push() && guard < 1000; ++guard) {
    }
    return recorder->frames;
}

TEST(FrameReader, ReadsBackWhatTheWriterWrote) {
    register_keys();
    TempDir recorded("reader_recorded"), rewritten("reader_rewritten");
    auto writer = writer_into(recorded.str());
    const std::vector<double> times = {0.5, 1.0 / 3.0, 2e-7};
    for (std::size_t i = 0; i < times.size(); ++i) writer->push_frame(frame_with_labels(times[i], int(i)));

    cmpnt::FrameReader reader = reader_of(recorded.str());
    EXPECT_EQ(reader.file_count(), 3u);
    std::vector<cmpnt::FramePtr> frames = drain(reader);
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(frames.back(), nullptr);
    for (std::size_t i = 0; i < times.size(); ++i) {
        const auto& read = frames[i]->cast<frame::CompositeStateFrame>();
        EXPECT_NEAR(read.time, times[i], 1e-14 * times[i]);  // written with 15 significant digits
        ASSERT_EQ(read.composite_states.size(), i);
        for (std::size_t k = 0; k < i; ++k)
            EXPECT_EQ(read.composite_states[k]->get<state::TrackLabelState>().label, (state::Label{2, int(100 + k)}));
        EXPECT_EQ(read.meta_data->get<state::TrackLabelState>().label,
                  (state::Label{-1, static_cast<int>(times[i] * 10)}));
    }

    // Writing the replayed frames again reproduces the files byte for byte.
    auto second_writer = writer_into(rewritten.str());
    for (std::size_t i = 0; i < times.size(); ++i) second_writer->push_frame(frames[i]);
    for (const char* name : {"000.xml", "001.xml", "002.xml"})
        EXPECT_EQ(read_file(rewritten.path() / name), read_file(recorded.path() / name)) << name;
}

TEST(FrameReader, EndsTheStreamOnceAndStaysEnded) {
    register_keys();
    TempDir folder("reader_end");
    writer_into(folder.str())->push_frame(frame_with_labels(1.0, 1));
    cmpnt::FrameReader reader = reader_of(folder.str() + "/");
    auto recorder = std::make_shared<FrameRecorder>();
    reader.insert_child(recorder);
    EXPECT_TRUE(reader.push());
    EXPECT_FALSE(reader.push());
    EXPECT_FALSE(reader.push());
    ASSERT_EQ(recorder->frames.size(), 2u);
    EXPECT_NE(recorder->frames[0], nullptr);
    EXPECT_EQ(recorder->frames[1], nullptr);
}

TEST(FrameReader, FollowsByteOrderOfNamesAndThePattern) {
    register_keys();
    TempDir folder("reader_order");
    for (auto [name, time] : std::vector<std::pair<std::string, double>>{{"2.xml", 2}, {"10.xml", 10}, {"b.xml", 3}}) {
        xml::OutStream out;
        out.open((folder.path() / name).string(), "  ");
        frame::CompositeStateFrame(time).write(out);
        out.close();
    }
    std::ofstream(folder.path() / "notes.txt") << "not a frame";

    struct Case {
        std::string pattern;
        std::vector<double> times;
    };
    const Case cases[] = {{"", {10, 2, 3}}, {"?.xml", {2, 3}}, {"1*", {10}}};
    for (const Case& c : cases) {
        cmpnt::FrameReader reader = reader_of(folder.str(), c.pattern);
        std::vector<double> times;
        for (const auto& f : drain(reader))
            if (f) times.push_back(f->time);
        EXPECT_EQ(times, c.times) << c.pattern;
    }
}

TEST(FrameReader, FailuresNameTheFolderOrTheFile) {
    register_keys();
    TempDir folder("reader_errors");
    const std::string empty = folder.str() + "/empty";
    fs::create_directory(empty);
    const std::string stranger = folder.str() + "/stranger";
    fs::create_directory(stranger);
    std::ofstream(stranger + "/0.xml") << "<?xml version=\"1.0\"?>\n<mystery_frame><time>1</time></mystery_frame>\n";

    EXPECT_MESSAGE(reader_of(folder.str() + "/missing"), "unable to change directory to " + folder.str() + "/missing");
    EXPECT_MESSAGE(reader_of(empty), "frame_reader: no frame file matches *.xml in directory " + empty);
    EXPECT_MESSAGE(reader_of(""), "frame_reader: directory must name a folder: directory = \"\"");
    cmpnt::FrameReader reader = reader_of(stranger);
    EXPECT_MESSAGE(reader.push(), "Unknown key: key = mystery_frame");
}

}  // namespace
