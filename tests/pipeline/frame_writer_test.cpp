#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "model/composite_state_frame.h"
#include "pipeline/frame_stage_test_support.h"
#include "pipeline/frame_writer.h"
#include "support/expect_message.h"
#include "support/temp_dir.h"
#include "util/system_test_support.h"

namespace fs = std::filesystem;
using test_support::CoutCapture;
using test_support::element;
using test_support::FrameRecorder;
using test_support::ScopedEnv;
using test_support::ScopedWorkingDir;
using test_support::TempDir;

namespace {

struct WriterConfig {
    std::string directory;
    std::string create = "false";
    std::string time_width = "0";
    std::string time_factor = "1";
    std::string count_width = "4";

    xml::Querier querier() const {
        return element("<frame_writer><directory>" + directory + "</directory><create>" + create +
                       "</create><time_width>" + time_width + "</time_width><time_factor>" + time_factor +
                       "</time_factor><count_width>" + count_width + "</count_width></frame_writer>");
    }
};

std::vector<std::string> files_in(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string read_file(const fs::path& file) {
    std::ifstream in(file);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(FrameWriterNames, PadTimeAndCountToTheirWidths) {
    struct Case {
        const char* time_width;
        const char* time_factor;
        const char* count_width;
        double time;
        int count;
        const char* name;
    };
    const Case cases[] = {
        {"0", "1", "4", 0.0, 0, "0000.xml"},
        {"0", "1", "4", 5.5, 2, "0002.xml"},  // no time part without a time width
        {"6", "1000", "4", 1.2345, 0, "001234_0000.xml"},
        {"6", "1000", "4", -1.2345, 1, "-01234_0001.xml"},  // truncated toward zero
        {"2", "1", "3", 12345.9, 7, "12345_007.xml"},  // wider numbers are written in full
        {"3", "0.5", "1", 9.99, 3, "004_3.xml"},
        {"0", "1", "2", 0.0, 123, "123.xml"},
        {"0", "1", "0", 0.0, 5, "5.xml"},
    };
    TempDir folder("writer_names");
    for (const Case& c : cases) {
        WriterConfig config{folder.str(), "false", c.time_width, c.time_factor, c.count_width};
        cmpnt::FrameWriter writer(config.querier());
        EXPECT_EQ(writer.file_name(c.time, c.count), folder.str() + "/" + c.name) << c.name;
    }
}

TEST(FrameWriterNames, DirectorySpellingsGiveTheSameNames) {
    ScopedWorkingDir work("writer_spellings");
    fs::create_directories("out/sub");
    for (const char* directory : {"out/sub", "out/sub/", "out\\sub", "out\\sub\\"}) {
        WriterConfig config{directory};
        cmpnt::FrameWriter writer(config.querier());
        EXPECT_EQ(writer.file_name(0, 3), "out/sub/0003.xml") << directory;
    }
}

TEST(FrameWriterNames, TimesBeyondAnIntegerAreRejected) {
    TempDir folder("writer_huge_time");
    cmpnt::FrameWriter writer(WriterConfig{folder.str(), "false", "4", "1e300"}.querier());
    EXPECT_MESSAGE(writer.file_name(1.0, 0),
                   "frame_writer: time x time_factor does not fit a file name: time = 1, time_factor = 1e+300");
}

TEST(FrameWriter, WritesOneNumberedFilePerFrameAndPassesFramesOn) {
    TempDir folder("writer_files");
    cmpnt::FrameWriter writer(WriterConfig{folder.str()}.querier());
    auto recorder = std::make_shared<FrameRecorder>();
    writer.insert_child(recorder);

    std::vector<cmpnt::FramePtr> frames;
    for (double time : {1.0 / 3.0, 2.0, 3.0}) frames.push_back(std::make_shared<frame::CompositeStateFrame>(time));
    for (const auto& f : frames) writer.push_frame(f);
    EXPECT_EQ(files_in(folder.path()), (std::vector<std::string>{"0000.xml", "0001.xml", "0002.xml"}));
    EXPECT_EQ(recorder->frames, frames);

    const std::string first = read_file(folder.path() / "0000.xml");
    EXPECT_EQ(first.rfind("<?xml", 0), 0u) << first;
    EXPECT_NE(first.find("<composite_state_frame>"), std::string::npos) << first;
    EXPECT_NE(first.find("0.333333333333333<"), std::string::npos) << first;  // 15 significant digits

    writer.push_frame(nullptr);
    EXPECT_EQ(files_in(folder.path()).size(), 3u);  // the end of the stream writes nothing
    ASSERT_EQ(recorder->frames.size(), 4u);
    EXPECT_EQ(recorder->frames.back(), nullptr);
}

TEST(FrameWriter, CreateMovesAnExistingFolderAsideFirst) {
    ScopedWorkingDir work("writer_create");
    TempDir data("writer_trash");
    ScopedEnv xdg("XDG_DATA_HOME", data.str());
    fs::create_directory("frames");
    std::ofstream("frames/old.xml") << "old";

    CoutCapture out;
    cmpnt::FrameWriter writer(WriterConfig{"frames/", "true"}.querier());
    EXPECT_EQ(out.text(), "frames exists... moving to trash.\ncreating frames\n");
    EXPECT_TRUE(fs::is_empty("frames"));
    writer.push_frame(std::make_shared<frame::CompositeStateFrame>(0.0));
    EXPECT_EQ(files_in("frames"), std::vector<std::string>{"0000.xml"});
    EXPECT_EQ(files_in(data.path() / "Trash" / "files").size(), 1u);
}

TEST(FrameWriter, MissingFolderFailsAtTheFirstFrame) {
    TempDir folder("writer_missing");
    const std::string missing = folder.str() + "/absent";
    cmpnt::FrameWriter writer(WriterConfig{missing}.querier());
    EXPECT_MESSAGE(writer.push_frame(std::make_shared<frame::CompositeStateFrame>(0.0)),
                   "unable to open " + missing + "/0000.xml");
}

TEST(FrameWriter, FramesWithoutAnXmlFormFailWithTheirOwnError) {
    TempDir folder("writer_payload");
    cmpnt::FrameWriter writer(WriterConfig{folder.str()}.querier());
    auto payload_frame = std::make_shared<frame::FrameTemplate<int>>(0.0, std::make_shared<int>(7));
    EXPECT_MESSAGE(writer.push_frame(payload_frame), "unspecialized member function FrameTemplate::write called");
}

TEST(FrameWriter, BadParametersAreRejectedBeforeTheFolderIsTouched) {
    ScopedWorkingDir work("writer_bad");
    TempDir data("writer_bad_trash");
    ScopedEnv xdg("XDG_DATA_HOME", data.str());
    fs::create_directory("kept");
    std::ofstream("kept/precious.xml") << "keep me";

    struct Case {
        WriterConfig config;
        std::string message;
    };
    const Case cases[] = {
        {{"kept", "true", "-1"}, "frame_writer: time_width must not be negative: time_width = -1"},
        {{"kept", "true", "0", "1", "-2"}, "frame_writer: count_width must not be negative: count_width = -2"},
        {{"kept", "true", "0", "inf"}, "frame_writer: time_factor must be finite: time_factor = inf"},
        {{"kept", "true", "0", "1", "x"},
         "unable to convert text from tag = count_width (frame_writer: count_width must be an integer: "
         "count_width = \"x\")"},
        {{"/", "true"}, "frame_writer: directory must name a folder: directory = \"/\""},
    };
    for (const Case& c : cases) EXPECT_MESSAGE(cmpnt::FrameWriter(c.config.querier()), c.message);
    EXPECT_TRUE(fs::exists("kept/precious.xml"));
    EXPECT_FALSE(fs::exists(data.path() / "Trash"));
}

}  // namespace
