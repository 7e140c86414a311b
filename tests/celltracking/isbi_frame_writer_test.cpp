#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>

#include <tiffio.h>

#include "celltracking/isbi_frame_writer.h"
#include "celltracking/unconfirmed_track_size_buffer_filter.h"
#include "imaging/segment_features_state.h"
#include "model/contact_state.h"
#include "model/states/position_estimate_state.h"
#include "model/states/position_velocity_estimate_state.h"
#include "celltracking_test_support.h"
#include "support/expect_message.h"
#include "support/temp_dir.h"
#include "util/system_test_support.h"

namespace {

namespace fs = std::filesystem;
using cell_test::element;
using cell_test::make_frame;
using cell_test::Track;
using Rows = std::vector<std::vector<unsigned short>>;

std::string writer_element(const std::string& key, const std::string& directory, const std::string& gate,
                           const std::string& extra = "", const std::string& create = "false") {
    return "<" + key + "><directory>" + directory + "</directory><create>" + create +
           "</create><distance_gate>" + gate + "</distance_gate>" + extra + "</" + key + ">";
}

// A writer decides when it is built whether masks are written on a second
// thread. Most tests read each mask right after its frame, so they build
// writers that write it before the frame goes on.
template <class Writer, class Configuration>
std::shared_ptr<Writer> writing_in_place(const Configuration& configuration) {
    test_support::ScopedEnv one_thread("OSTREL_THREADS", "1");
    return std::make_shared<Writer>(configuration);
}

std::shared_ptr<isbi::IsbiFrameWriter> make_writer(const std::string& directory, const std::string& extra = "") {
    return writing_in_place<isbi::IsbiFrameWriter>(element(writer_element("isbi_frame_writer", directory, "3", extra)));
}

// Segment 0 is the background; segments 1 and 2 are cells.
util::CountedPtr<ipc::SegmentImage> two_cells() {
    return cell_test::segmentation({{0, 1, 1, 0}, {0, 1, 2, 2}, {0, 0, 2, 2}});
}

Rows mask_rows(const std::string& name) {
    const auto pages = cell_test::read_pages(name);
    EXPECT_EQ(pages.size(), 1u) << name;
    return pages.empty() ? Rows{} : pages[0];
}

TEST(IsbiFrameWriterTest, WritesMaskPerFrameAndLineageWhenTheStreamEnds) {
    test_support::TempDir dir("isbi");
    auto writer = make_writer(dir.str());
    auto collector = std::make_shared<cell_test::FrameCollector>();
    writer->insert_child(collector);

    // Frame 0: one newborn cell on segment 1; segment 2 is claimed by no track.
    writer->push_frame(make_frame(0, {cell_test::cell_track({0, 4}, 1, 1.5, 0.5, 1)}, two_cells()));
    EXPECT_EQ(mask_rows(dir.str() + "/mask000.tif"), (Rows{{0, 1, 1, 0}, {0, 1, 0, 0}, {0, 0, 0, 0}}));
    // Frame 1: the cell moves to segment 2, a far newborn shares it and wins
    // as the later track; the cell, left without a pixel, ends in frame 0.
    writer->push_frame(make_frame(1, {cell_test::cell_track({0, 4}, 2, 2.5, 1.5, 2), cell_test::cell_track({0, 5}, 1, 20, 20, 2)}, two_cells()));
    EXPECT_EQ(mask_rows(dir.str() + "/mask001.tif"), (Rows{{0, 0, 0, 0}, {0, 0, 2, 2}, {0, 0, 2, 2}}));

    EXPECT_FALSE(fs::exists(dir.str() + "/res_track.txt"));
    writer->push_frame(nullptr);
    EXPECT_EQ(cell_test::read_text(dir.str() + "/res_track.txt"), "1 0 0 0\n2 1 1 0\n");
    ASSERT_EQ(collector->frames.size(), 3u);
    EXPECT_TRUE(collector->frames[0] && collector->frames[1]);
    EXPECT_EQ(collector->frames[2], nullptr);
}

TEST(IsbiFrameWriterTest, CoastingTrackMarksTheOnePixelAtItsRoundedPosition) {
    struct Case {
        double x, y;
        int pixel_x, pixel_y;  // -1: no pixel is marked
    };
    const Case cases[] = {
        {1.5, 0.49, 2, 0},   // halves round away from zero
        {0.4, 1.5, 0, 2},    // lands on the background
        {3.49, 1.5, 3, 2},   // overrides a segment's pixel
        {-0.5, 1, -1, -1},   // rounds to -1: outside
        {3.5, 1, -1, -1},    // rounds to 4 = width: outside
        {1, 2.5000001, -1, -1},
        {std::nan(""), 1, -1, -1},
    };
    for (const Case& c : cases) {
        test_support::TempDir dir("coast");
        auto writer = make_writer(dir.str());
        writer->push_frame(make_frame(0, {cell_test::cell_track({0, 1}, 1, 2, 2, 2)}, two_cells()));
        writer->push_frame(make_frame(1, {cell_test::coasting_track({0, 1}, 2, c.x, c.y)}, two_cells()));
        Rows expected(3, std::vector<unsigned short>(4, 0));
        if (c.pixel_x >= 0) expected[c.pixel_y][c.pixel_x] = 1;
        EXPECT_EQ(mask_rows(dir.str() + "/mask001.tif"), expected) << "position " << c.x << ", " << c.y;
    }
}

TEST(IsbiFrameWriterTest, PositionVelocityEstimatesAreReadByTheirPositionPart) {
    test_support::TempDir dir("velocity");
    auto writer = make_writer(dir.str());
    // The same coasting track, its estimate (x, y, vx, vy) = (3, 2, -3, 0)
    // instead of a position estimate.
    auto frame = make_frame(0, {cell_test::coasting_track({0, 1}, 1, 0, 0)}, two_cells());
    auto& track = *frame->composite_states[0];
    track.erase<state::PositionEstimateState<2>>();
    nmrc::Normal<4> estimate;
    estimate.mean = nmrc::Vector<4>{3, 2, -3, 0};
    track.insert(std::make_shared<const state::PositionVelocityEstimateState<2>>(estimate, 0.0));
    writer->push_frame(frame);
    EXPECT_EQ(mask_rows(dir.str() + "/mask000.tif"), (Rows{{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 1}}));

    auto bare = make_frame(1, {cell_test::coasting_track({0, 1}, 2, 0, 0)}, two_cells());
    bare->composite_states[0]->erase<state::PositionEstimateState<2>>();
    EXPECT_MESSAGE(writer->push_frame(bare),
                   "isbi_frame_writer: track (0, 1) at time 1 has no position_estimate_state_2d or "
                   "position_velocity_estimate_state_2d (the tracker's filters must keep one on every track)");
}

TEST(IsbiFrameWriterTest, TracksTableHasARowPerLabelAndFrameWithSegmentMeasuresWhereKnown) {
    test_support::TempDir dir("table");
    auto writer = make_writer(dir.str());
    // Frame 0: a cell with segment measures. Frame 1: it divides (a newborn
    // 1.5 away, without measures), and a coast lands outside the image.
    Track cell = cell_test::cell_track({0, 1}, 1, 1.5, 0.25, 1);
    auto first = make_frame(0, {cell}, two_cells());
    const auto add_measures = [](state::CompositeState& track, double area, double mean) {
        ipc::SegmentFeaturesState::Features features;
        features.area = area;
        features.mean_intensity = mean;
        auto contact = std::make_shared<state::CompositeState>(*track.get<state::ContactState>().contact);
        contact->insert(std::make_shared<const ipc::SegmentFeaturesState>(features));
        track.insert(std::make_shared<const state::ContactState>(contact));
    };
    add_measures(*first->composite_states[0], 3, 1250.5);
    writer->push_frame(first);
    cell.n = 2;
    writer->push_frame(make_frame(1, {cell, cell_test::cell_track({0, 2}, 1, 2.5, 1.5, 2),
                                      cell_test::coasting_track({0, 3}, 1, -5, 1)},
                                  two_cells()));
    writer->push_frame(nullptr);
    EXPECT_EQ(cell_test::read_text(dir.str() + "/res_track.txt"), "1 0 0 0\n2 1 1 1\n3 1 1 1\n");
    EXPECT_EQ(cell_test::read_text(dir.str() + "/tracks.csv"),
              "frame,label,parent,x,y,area,mean_intensity\n"
              "0,1,0,1.5,0.25,3,1250.5\n"
              "1,3,1,1.5,0.25,,\n"
              "1,2,1,2.5,1.5,,\n");
}

TEST(IsbiFrameWriter3dTest, TracksTableHasAZColumnAndNoMeasureColumnsWithoutMeasures) {
    test_support::TempDir dir("table3");
    const auto built =
        writing_in_place<isbi::IsbiFrameWriter3d>(element(writer_element("isbi_frame_writer_3d", dir.str(), "2")));
    auto& writer = *built;
    auto segments = std::make_shared<ipc::SegmentImage3d>(2, 1, 2);
    segments->fill(1);
    segments->number_of_segments = 2;
    Track cell = cell_test::cell_track({0, 1}, 1, 0.5, 0, 1);
    cell.z = 1;
    writer.push_frame(cell_test::make_frame_3d(4, {cell}, segments));
    writer.push_frame(nullptr);
    EXPECT_EQ(cell_test::read_text(dir.str() + "/tracks.csv"), "frame,label,parent,x,y,z\n4,1,0,0.5,0,1\n");
}

TEST(IsbiFrameWriterTest, MaskNamesPadTheTruncatedFrameTimeToTheConfiguredDigits) {
    struct Case {
        std::string extra;
        double time;
        std::string name;
    };
    const Case cases[] = {
        {"", 0, "mask000.tif"},
        {"", 7.9, "mask007.tif"},
        {"", 1234, "mask1234.tif"},
        {"<mask_digits>2</mask_digits>", 5, "mask05.tif"},
        {"<mask_digits>4</mask_digits>", 12, "mask0012.tif"},
        {"<mask_digits>1</mask_digits>", 12, "mask12.tif"},
    };
    for (const Case& c : cases) {
        test_support::TempDir dir("names");
        auto writer = make_writer(dir.str(), c.extra);
        writer->push_frame(make_frame(c.time, {cell_test::cell_track({0, 1}, 1, 1, 1, 1)}, two_cells()));
        EXPECT_TRUE(fs::exists(dir.str() + "/" + c.name)) << c.name;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1) << c.name;
    }
}

TEST(IsbiFrameWriterTest, TwoFramesWithTheSameMaskNumberAreAnError) {
    test_support::TempDir dir("duplicate");
    auto writer = make_writer(dir.str());
    writer->push_frame(make_frame(2.25, {cell_test::cell_track({0, 1}, 1, 1, 1, 1)}, two_cells()));
    const auto first = mask_rows(dir.str() + "/mask002.tif");
    EXPECT_MESSAGE(writer->push_frame(make_frame(2.75, {cell_test::cell_track({0, 2}, 1, 2, 2, 2)}, two_cells())),
                   "isbi_frame_writer: frame times 2.25 and 2.75 give the same mask number 2");
    EXPECT_EQ(mask_rows(dir.str() + "/mask002.tif"), first);
}

TEST(IsbiFrameWriterTest, TimesWithoutANonNegativeFrameNumberAreRefused) {
    test_support::TempDir dir("times");
    auto writer = make_writer(dir.str());
    EXPECT_MESSAGE(writer->push_frame(make_frame(-1, {}, two_cells())),
                   "isbi_frame_writer: the frame time gives no frame number of 0 or more, time = -1");
    EXPECT_MESSAGE(writer->push_frame(make_frame(1e12, {}, two_cells())),
                   "isbi_frame_writer: the frame time gives no frame number of 0 or more, time = 1e+12");
}

TEST(IsbiFrameWriterTest, RunEndingInAnErrorWritesNoLineage) {
    test_support::TempDir dir("failed");
    {
        auto writer = make_writer(dir.str());
        writer->push_frame(make_frame(0, {cell_test::cell_track({0, 1}, 1, 1, 1, 1)}, two_cells()));
        // A contact naming a segment the segmentation lacks ends the run.
        EXPECT_MESSAGE(writer->push_frame(make_frame(1, {cell_test::cell_track({0, 1}, 2, 1, 1, 9)}, two_cells())),
                       "track contact names a segment the segmentation does not have, segment = 9, "
                       "number_of_segments = 3");
        // Released without the end of the stream: nothing is written.
    }
    EXPECT_FALSE(fs::exists(dir.str() + "/res_track.txt"));

    // Even an end of stream arriving after the failure writes no lineage.
    auto writer = make_writer(dir.str());
    auto frame = make_frame(0, {cell_test::cell_track({0, 1}, 1, 1, 1, 1)}, two_cells());
    frame->meta_data = std::make_shared<state::CompositeState>();  // no segmentation
    EXPECT_MESSAGE_STARTS(writer->push_frame(frame), "State::cast()");
    EXPECT_MESSAGE(writer->push_frame(nullptr), "isbi_frame_writer: an earlier frame failed, " + dir.str() +
                                                    "/res_track.txt is not written");
    EXPECT_FALSE(fs::exists(dir.str() + "/res_track.txt"));
}

TEST(IsbiFrameWriterTest, LineageThatCannotBeWrittenEndsTheRunWithAnError) {
    test_support::TempDir dir("unwritable");
    const std::string lineage = dir.str() + "/res_track.txt";
    {
        fs::create_directory(lineage);  // cannot be opened as a file
        auto collector = std::make_shared<cell_test::FrameCollector>();
        auto writer = make_writer(dir.str());
        writer->insert_child(collector);
        EXPECT_MESSAGE(writer->push_frame(nullptr), "Unable to open file: " + lineage);
        EXPECT_TRUE(collector->frames.empty());
        fs::remove(lineage);
    }
    if (fs::exists("/dev/full")) {
        fs::create_symlink("/dev/full", lineage);  // opens, but every write fails
        auto writer = make_writer(dir.str());
        writer->push_frame(make_frame(0, {cell_test::cell_track({0, 1}, 1, 1, 1, 1)}, two_cells()));
        EXPECT_MESSAGE(writer->push_frame(nullptr), "unable to write " + lineage);
    }
}

TEST(IsbiFrameWriterTest, MaskThatCannotBeOpenedIsReportedByName) {
    test_support::TempDir dir("missing");
    auto writer = make_writer(dir.str() + "/absent");
    EXPECT_MESSAGE(writer->push_frame(make_frame(0, {}, two_cells())),
                   "Unable to open file: " + dir.str() + "/absent/mask000.tif");
}

TEST(IsbiFrameWriterTest, NonCompositeFrameIsRefused) {
    test_support::TempDir dir("cast");
    auto writer = make_writer(dir.str());
    EXPECT_MESSAGE_STARTS(writer->push_frame(std::make_shared<frame::FrameTemplate<int>>(0, nullptr)), "Frame::cast()");
}

TEST(IsbiFrameWriterTest, ParametersAreCheckedAtConstruction) {
    struct Case {
        std::string gate, extra, message;
    };
    const Case cases[] = {
        {"-1", "", "isbi_frame_writer: distance_gate must be a number >= 0, distance_gate = -1"},
        {"nan", "", "isbi_frame_writer: distance_gate must be a number >= 0, distance_gate = nan"},
        {"3", "<mask_digits>0</mask_digits>", "isbi_frame_writer: mask_digits must be between 1 and 10, mask_digits = 0"},
        {"3", "<mask_digits>11</mask_digits>",
         "isbi_frame_writer: mask_digits must be between 1 and 10, mask_digits = 11"},
        {"3", "<compression>zip</compression>",
         "isbi_frame_writer: compression must be one of lzw, packbits, none: compression = \"zip\""},
    };
    for (const Case& c : cases)
        EXPECT_MESSAGE(isbi::IsbiFrameWriter(element(writer_element("isbi_frame_writer", "out", c.gate, c.extra))),
                       c.message);
    EXPECT_MESSAGE(isbi::IsbiFrameWriter(element(writer_element("isbi_frame_writer", "", "3"))),
                   "isbi_frame_writer: directory is empty: directory = \"\"");
}

TEST(IsbiFrameWriterTest, MasksAreWrittenWithTheConfiguredCompressionAndReadBackTheSame) {
    const std::pair<std::string, std::uint16_t> cases[] = {
        {"", COMPRESSION_LZW}, {"lzw", COMPRESSION_LZW}, {"packbits", COMPRESSION_PACKBITS}, {"none", COMPRESSION_NONE}};
    for (const auto& [word, tag] : cases) {
        test_support::TempDir dir("compression");
        auto writer = make_writer(dir.str(), word.empty() ? "" : "<compression>" + word + "</compression>");
        writer->push_frame(make_frame(0, {cell_test::cell_track({0, 4}, 1, 1.5, 0.5, 1)}, two_cells()));
        const std::string name = dir.str() + "/mask000.tif";
        EXPECT_EQ(mask_rows(name), (Rows{{0, 1, 1, 0}, {0, 1, 0, 0}, {0, 0, 0, 0}})) << word;
        TIFF* tif = TIFFOpen(name.c_str(), "r");
        ASSERT_NE(tif, nullptr) << word;
        std::uint16_t written = 0;
        TIFFGetField(tif, TIFFTAG_COMPRESSION, &written);
        TIFFClose(tif);
        EXPECT_EQ(written, tag) << word;
    }
}

TEST(IsbiFrameWriterTest, CreatePreparesTheDirectoryAndBackslashesBecomeSlashes) {
    test_support::TempDir dir("create");
    std::string configured = dir.str() + "/out/";
    std::replace(configured.begin(), configured.end(), '/', '\\');
    const auto built = writing_in_place<isbi::IsbiFrameWriter>(
        element(writer_element("isbi_frame_writer", configured, "3", "", "true")));
    auto& writer = *built;
    EXPECT_EQ(writer.directory(), dir.str() + "/out");
    EXPECT_EQ(writer.lineage_name(), dir.str() + "/out/res_track.txt");
    EXPECT_TRUE(fs::is_directory(dir.str() + "/out"));
    writer.push_frame(make_frame(0, {cell_test::cell_track({0, 1}, 1, 1, 1, 1)}, two_cells()));
    EXPECT_TRUE(fs::exists(dir.str() + "/out/mask000.tif"));
}

TEST(IsbiFrameWriterTest, BuiltFromParametersWritesAsConfiguredAndChecksThemAlike) {
    test_support::TempDir dir("parameters");
    isbi::IsbiFrameWriter::Parameters parameters;
    parameters.directory = dir.str() + "/out/";
    parameters.create = true;
    parameters.distance_gate = 0;
    parameters.mask_digits = 4;
    {
        const auto built = writing_in_place<isbi::IsbiFrameWriter>(parameters);
        auto& writer = *built;
        EXPECT_EQ(writer.directory(), dir.str() + "/out");
        writer.push_frame(make_frame(0, {cell_test::cell_track({0, 4}, 1, 1.5, 0.5, 1)}, two_cells()));
        writer.push_frame(nullptr);
    }
    EXPECT_EQ(mask_rows(dir.str() + "/out/mask0000.tif"), (Rows{{0, 1, 1, 0}, {0, 1, 0, 0}, {0, 0, 0, 0}}));
    EXPECT_EQ(cell_test::read_text(dir.str() + "/out/res_track.txt"), "1 0 0 0\n");

    parameters.mask_digits = 0;
    EXPECT_MESSAGE(isbi::IsbiFrameWriter{parameters},
                   "isbi_frame_writer: mask_digits must be between 1 and 10, mask_digits = 0");
    isbi::IsbiFrameWriter3d::Parameters stack;
    stack.distance_gate = -2;
    EXPECT_MESSAGE(isbi::IsbiFrameWriter3d{stack},
                   "isbi_frame_writer_3d: directory is empty: directory = \"\"\n"
                   "isbi_frame_writer_3d: distance_gate must be a number >= 0, distance_gate = -2");
}

TEST(IsbiFrameWriter3dTest, WritesOnePagePerSliceAndMarksCoastsInTheirSlice) {
    test_support::TempDir dir("three");
    const auto built =
        writing_in_place<isbi::IsbiFrameWriter3d>(element(writer_element("isbi_frame_writer_3d", dir.str(), "2")));
    auto& writer = *built;
    auto segments = std::make_shared<ipc::SegmentImage3d>(3, 2, 2);
    segments->fill(0);
    (*segments)(0, 0, 0) = 1;
    (*segments)(1, 0, 1) = 1;
    (*segments)(2, 1, 1) = 2;
    segments->number_of_segments = 3;

    Track cell = cell_test::cell_track({0, 1}, 1, 0, 0, 1);
    writer.push_frame(cell_test::make_frame_3d(0, {cell}, segments));
    // Frame 1: the cell divides (a newborn 1 away), and a coast sits in slice 1.
    Track mother = cell_test::cell_track({0, 1}, 2, 0, 0, 1);
    Track daughter = cell_test::cell_track({0, 2}, 1, 1, 0, 2);
    daughter.z = 0;
    Track coast = cell_test::coasting_track({0, 3}, 4, 0.6, 0.4);
    coast.z = 1.2;
    writer.push_frame(cell_test::make_frame_3d(1, {mother, daughter, coast}, segments));

    const auto pages = cell_test::read_pages(dir.str() + "/mask001.tif");
    ASSERT_EQ(pages.size(), 2u);
    // Labels: 2 for the coast (first seen under way), 3 for the daughter, 4
    // for the mother's continuation. The coast's voxel (1, 0, 1) lies on
    // the mother's segment and overrides it.
    EXPECT_EQ(pages[0], (Rows{{4, 0, 0}, {0, 0, 0}}));
    EXPECT_EQ(pages[1], (Rows{{0, 2, 0}, {0, 0, 3}}));
    writer.push_frame(nullptr);
    EXPECT_EQ(cell_test::read_text(dir.str() + "/res_track.txt"), "1 0 0 0\n2 1 1 0\n3 1 1 1\n4 1 1 1\n");
}

// A track confirmed only after the unconfirmed-track filter released its
// birth frame reaches the writer already under way.
TEST(IsbiFrameWriterTest, TrackHeldBackUpstreamStartsAParentlessLabelWhereItFirstAppears) {
    test_support::TempDir dir("late");
    ostrel::UnconfirmedTrackSizeBufferFilter filter(
        element("<unconfirmed_track_size_buffer_filter><buffer_size>1</buffer_size></unconfirmed_track_size_buffer_filter>"));
    filter.insert_child(make_writer(dir.str()));
    Track early = cell_test::cell_track({0, 1}, 1, 1, 1, 1);
    early.confirmed = true;
    Track late = cell_test::cell_track({0, 2}, 1, 2, 2, 2);  // close enough to look like a daughter
    filter.push_frame(make_frame(0, {early, late}, two_cells()));
    early.n = 2;
    late.n = 2;
    late.confirmed = true;
    filter.push_frame(make_frame(1, {early, late}, two_cells()));
    filter.push_frame(nullptr);
    EXPECT_EQ(cell_test::read_text(dir.str() + "/res_track.txt"), "1 0 1 0\n2 1 1 0\n");
    EXPECT_EQ(mask_rows(dir.str() + "/mask000.tif"), (Rows{{0, 1, 1, 0}, {0, 1, 0, 0}, {0, 0, 0, 0}}));
}

// With a second core the masks are written while the next frame is worked
// on: all are on disk when the stream ends, and a mask that cannot be written
// fails a later call, by name, with no lineage written.
TEST(IsbiFrameWriterTest, MasksWrittenOnASecondThreadAreCompleteBeforeTheLineage) {
    test_support::ScopedEnv two_threads("OSTREL_THREADS", "2");
    test_support::TempDir dir("queued");
    auto writer =
        std::make_shared<isbi::IsbiFrameWriter>(element(writer_element("isbi_frame_writer", dir.str(), "3")));
    for (int f = 0; f < 3; ++f)
        writer->push_frame(make_frame(f, {cell_test::cell_track({0, 4}, f + 1, 1.5, 0.5, 1)}, two_cells()));
    writer->push_frame(nullptr);
    for (const char* mask : {"/mask000.tif", "/mask001.tif", "/mask002.tif"})
        EXPECT_EQ(mask_rows(dir.str() + mask), (Rows{{0, 1, 1, 0}, {0, 1, 0, 0}, {0, 0, 0, 0}})) << mask;
    EXPECT_EQ(cell_test::read_text(dir.str() + "/res_track.txt"), "1 0 2 0\n");

    const std::string absent = dir.str() + "/absent";
    auto failing =
        std::make_shared<isbi::IsbiFrameWriter>(element(writer_element("isbi_frame_writer", absent, "3")));
    failing->push_frame(make_frame(0, {cell_test::cell_track({0, 4}, 1, 1.5, 0.5, 1)}, two_cells()));
    EXPECT_MESSAGE(failing->push_frame(nullptr), "Unable to open file: " + absent + "/mask000.tif");
    EXPECT_MESSAGE(failing->push_frame(nullptr), "isbi_frame_writer: an earlier frame failed, " + absent +
                                                     "/res_track.txt is not written");
}

}  // namespace
