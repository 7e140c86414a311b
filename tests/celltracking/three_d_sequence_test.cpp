#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include "evaluation/result_validation.h"
#include "evaluation/sequence_evaluation.h"
#include "imaging/tiff_page_writer.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// Small 3-D stacks of two moving cells, one dividing after frame 4, with
// their ground truth: cell 1 drifts along x, cell 2 along y and divides
// into 3 and 4.
struct Box {
    int label, x0, y0, z0;  // 4 x 4 x 3 voxels from (x0, y0, z0)
};

std::vector<Box> boxes_of_frame(int f) {
    std::vector<Box> boxes = {{1, 3 + f, 4, 1}};
    if (f < 5)
        boxes.push_back({2, 19, 12 + f, 2});
    else
        boxes.insert(boxes.end(), {{3, 15, 12 + f, 2}, {4, 23, 12 + f, 2}});
    return boxes;
}

void write_sequence(const fs::path& root, int frames) {
    fs::create_directories(root / "images");
    fs::create_directories(root / "truth" / "TRA");
    for (int f = 0; f < frames; ++f) {
        ipc::Image3d<unsigned short> image(32, 32, 6), truth(32, 32, 6);
        truth.fill(0);
        // A little texture: the grey-level clustering needs more than two values.
        for (int z = 0; z < 6; ++z)
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x) image(x, y, z) = static_cast<unsigned short>(100 + (x + y + z) % 3);
        for (const Box& b : boxes_of_frame(f))
            for (int z = b.z0; z < b.z0 + 3; ++z)
                for (int y = b.y0; y < b.y0 + 4; ++y)
                    for (int x = b.x0; x < b.x0 + 4; ++x) {
                        image(x, y, z) = static_cast<unsigned short>(4000 + 10 * (x % 2));
                        truth(x, y, z) = static_cast<unsigned short>(b.label);
                    }
        const std::string number = (f < 10 ? "00" : "0") + std::to_string(f);
        ipc::write_greyscale_tiff_stack((root / "images" / ("t" + number + ".tif")).string(), image);
        ipc::write_greyscale_tiff_stack((root / "truth" / "TRA" / ("man_track" + number + ".tif")).string(), truth);
    }
    std::ofstream(root / "truth" / "TRA" / "man_track.txt")
        << "1 0 " << frames - 1 << " 0\n2 0 4 0\n3 5 " << frames - 1 << " 2\n4 5 " << frames - 1 << " 2\n";
}

// The 2-D cell filters of the examples, turned 3-D.
void write_filters(const fs::path& to) {
    std::ifstream in(std::string(OSTREL_SOURCE_DIR) + "/examples/filters/cell_tracking_position_2d.xml");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(text.empty());
    text = std::regex_replace(text, std::regex("_2d_"), "_3d_");
    text = std::regex_replace(text, std::regex("<process_noise>8 8</process_noise>"), "<process_noise>8 8 8</process_noise>");
    std::ofstream(to) << text;
}

const char* configuration = R"(<?xml version="1.0"?>
<component_chain><components>
  <short_image_3d_tiff_reader><directory>images</directory><start_time>0</start_time><dt>1</dt></short_image_3d_tiff_reader>
  <short_image_3d_segmented_image_3d_initializer_algorithm_component/>
  <short_image_3d_segmented_image_greyscale_segmentor_3d_algorithm_component><number_of_colors>2</number_of_colors>
  </short_image_3d_segmented_image_greyscale_segmentor_3d_algorithm_component>
  <short_image_3d_segmented_image_3d_to_segment_image_3d_converter_algorithm_component/>
  <segment_image_3d_segmented_image_3d_initializer_algorithm_component/>
  <segment_image_3d_segmented_image_3d_spatial_segmentor_3d_algorithm_component/>
  <segment_image_3d_segmented_image_3d_to_contact_frame_converter><sigma>1 1 1</sigma>
    <minimum_contact_size>2</minimum_contact_size></segment_image_3d_segmented_image_3d_to_contact_frame_converter>
  <meta_data_state_inserter><sensor_type_state>cells</sensor_type_state></meta_data_state_inserter>
  <filter_definer file="filters_3d.xml"/>
  <multiple_hypothesis_tracker><assignment_algorithm>hybrid</assignment_algorithm><nscan>2</nscan></multiple_hypothesis_tracker>
  <track_report_frame_to_composite_state_frame_converter/>
  <unconfirmed_track_size_buffer_filter><buffer_size>3</buffer_size></unconfirmed_track_size_buffer_filter>
  <trailing_coast_remover><buffer_size>3</buffer_size></trailing_coast_remover>
  <track_relabeler><first_id>1</first_id></track_relabeler>
  <isbi_frame_writer_3d><directory>result</directory><create>true</create><distance_gate>10</distance_gate></isbi_frame_writer_3d>
  <terminator/>
</components></component_chain>
)";

TEST(ThreeDSequenceTest, StacksRunThroughOstrelIntoAValidResultThatMatchesTheTruth) {
    test_support::TempDir dir("three_d_run");
    write_sequence(dir.path(), 10);
    write_filters(dir.path() / "filters_3d.xml");
    std::ofstream(dir.path() / "run.xml") << configuration;
    const auto run = test_support::run_command(
        "XDG_DATA_HOME='" + dir.str() + "/data' " + test_support::ostrel_binary() + " run.xml", dir.str());
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_TRUE(fs::exists(dir.path() / "result" / "res_track.txt")) << run.out << run.err;

    EXPECT_EQ(ctc::validate_result_folder((dir.path() / "result").string()), std::vector<std::string>{});
    const ctc::Evaluation evaluation = ctc::evaluate_sequence((dir.path() / "truth").string(),
                                                              (dir.path() / "result").string());
    ASSERT_EQ(evaluation.problems, std::vector<std::string>{});
    // Every cell found in every frame, every link and the division right.
    EXPECT_EQ(evaluation.measures[1].name, "TRA");
    EXPECT_DOUBLE_EQ(evaluation.measures[1].value, 1.0);
    EXPECT_EQ(evaluation.measures[3].name, "BC(0)");
    EXPECT_DOUBLE_EQ(evaluation.measures[3].value, 1.0);
}

}  // namespace
