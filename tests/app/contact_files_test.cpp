#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/registration.h"
#include "imaging/image_3d.h"
#include "imaging/tiff_page_writer.h"
#include "model/composite_state_frame.h"
#include "model/states/position_estimate_state.h"
#include "model/track_label_state.h"
#include "support/run_command.h"
#include "support/temp_dir.h"
#include "xml/querier.h"

namespace {

namespace fs = std::filesystem;

// Runs `chain` (the stages between the reader and the frame writer) over
// the TIFFs in dir/images and returns the contact frames the writer wrote.
std::vector<std::shared_ptr<frame::CompositeStateFrame>> contact_files(const test_support::TempDir& dir,
                                                                       const std::string& reader,
                                                                       const std::string& chain) {
    const std::string config = "<?xml version=\"1.0\"?>\n<component_chain><components>"
                               "<" + reader + "><directory>images</directory><start_time>0</start_time>"
                               "<dt>1</dt></" + reader + ">" + chain +
                               "<frame_writer><directory>contacts</directory><create>true</create>"
                               "<time_width>0</time_width><time_factor>1</time_factor><count_width>3</count_width>"
                               "</frame_writer></components></component_chain>\n";
    std::ofstream(dir.path() / "run.xml") << config;
    auto result = test_support::run_command(
        "XDG_DATA_HOME='" + dir.str() + "/data' " + test_support::ostrel_binary() + " run.xml", dir.str());
    EXPECT_EQ(result.status, 0) << result.err;

    app::register_all();
    std::vector<std::shared_ptr<frame::CompositeStateFrame>> frames;
    for (int k = 0;; ++k) {
        fs::path file = dir.path() / "contacts" / ("00" + std::to_string(k) + ".xml");
        if (!fs::exists(file)) break;
        frames.push_back(frame::cast<frame::CompositeStateFrame>(
            frame::factory().create(xml::Querier::open(file.string()))));
    }
    return frames;
}

template <int N>
std::vector<std::vector<double>> centres(const frame::CompositeStateFrame& f) {
    std::vector<std::vector<double>> out;
    for (const auto& contact : f.composite_states) {
        const auto& mean = contact->get<state::PositionEstimateState<N>>().estimate.mean;
        out.emplace_back(mean.begin(), mean.end());
    }
    return out;
}

std::vector<int> contact_numbers(const std::vector<std::shared_ptr<frame::CompositeStateFrame>>& frames) {
    std::vector<int> ids;
    for (const auto& f : frames)
        for (const auto& contact : f->composite_states) ids.push_back(contact->get<state::TrackLabelState>().label.id);
    return ids;
}

// Bright squares on a dim background: frame k holds a 3 x 3 square centred
// on (2 + k, 2) and a 2 x 4 block centred on (7.5, 5.5).
TEST(ContactFiles, TiffFramesBecomeContactFilesAtTheRegionCentroids) {
    test_support::TempDir dir("contact_files_2d");
    fs::create_directories(dir.path() / "images");
    for (int k = 0; k < 2; ++k) {
        // Occupied levels 100, 101, 102, 4000, 4010: the two-class threshold is
        // the middle occupied level, 102, so every bright pixel is foreground.
        ipc::Image<unsigned short> image(12, 10, 100);
        for (int y = 0; y < 10; ++y) image(0, y) = 101;
        for (int y = 0; y < 10; ++y) image(11, y) = 102;
        for (int y = 1; y <= 3; ++y)
            for (int x = 1 + k; x <= 3 + k; ++x) image(x, y) = 4000 + 10 * (x % 2);
        for (int y = 4; y <= 7; ++y)
            for (int x = 7; x <= 8; ++x) image(x, y) = 4000 + 10 * (y % 2);
        ipc::write_greyscale_tiff((dir.path() / "images" / ("t" + std::to_string(k) + ".tif")).string(), image);
    }
    auto frames = contact_files(
        dir, "short_image_tiff_reader",
        "<short_image_segmented_image_initializer_algorithm_component/>"
        "<short_image_segmented_image_greyscale_segmentor_algorithm_component><number_of_colors>2</number_of_colors>"
        "</short_image_segmented_image_greyscale_segmentor_algorithm_component>"
        "<short_image_segmented_image_to_segment_image_converter_algorithm_component/>"
        "<segment_image_segmented_image_initializer_algorithm_component/>"
        "<segment_image_segmented_image_spatial_segmentor_algorithm_component/>"
        "<segment_image_segmented_image_to_contact_frame_converter><sigma>1 1</sigma>"
        "<minimum_contact_size>2</minimum_contact_size></segment_image_segmented_image_to_contact_frame_converter>");
    ASSERT_EQ(frames.size(), 2u);
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(frames[k]->time, k);
        EXPECT_EQ(centres<2>(*frames[k]), (std::vector<std::vector<double>>{{2.0 + k, 2.0}, {7.5, 5.5}}));
    }
    EXPECT_EQ(contact_numbers(frames), (std::vector<int>{0, 1, 2, 3}));
}

// Multi-page stacks: a 2 x 2 x 2 cube centred on (1.5, 1.5, 0.5 + k) and a
// single bright voxel column of height 3 centred on (5, 4, 1).
TEST(ContactFiles, StacksBecomeContactFilesAtTheVoxelCentroids) {
    test_support::TempDir dir("contact_files_3d");
    fs::create_directories(dir.path() / "images");
    for (int k = 0; k < 2; ++k) {
        ipc::Image3d<unsigned short> stack(8, 6, 4);
        for (auto& slice : stack.slices()) slice.fill(100);
        for (int z = 0; z < 4; ++z) stack(7, 0, z) = 101;
        for (int z = 0; z < 4; ++z) stack(7, 5, z) = 102;
        for (int z = k; z <= k + 1; ++z)
            for (int y = 1; y <= 2; ++y)
                for (int x = 1; x <= 2; ++x) stack(x, y, z) = 4000 + 10 * (x % 2);
        for (int z = 0; z <= 2; ++z) stack(5, 4, z) = 4000 + 10 * (z % 2);
        ipc::write_greyscale_tiff_stack((dir.path() / "images" / ("s" + std::to_string(k) + ".tif")).string(), stack);
    }
    auto frames = contact_files(
        dir, "short_image_3d_tiff_reader",
        "<short_image_3d_segmented_image_3d_initializer_algorithm_component/>"
        "<short_image_3d_segmented_image_greyscale_segmentor_3d_algorithm_component><number_of_colors>2"
        "</number_of_colors></short_image_3d_segmented_image_greyscale_segmentor_3d_algorithm_component>"
        "<short_image_3d_segmented_image_3d_to_segment_image_3d_converter_algorithm_component/>"
        "<segment_image_3d_segmented_image_3d_initializer_algorithm_component/>"
        "<segment_image_3d_segmented_image_3d_spatial_segmentor_3d_algorithm_component/>"
        "<segment_image_3d_segmented_image_3d_to_contact_frame_converter><sigma>1 1 1</sigma>"
        "<minimum_contact_size>2</minimum_contact_size></segment_image_3d_segmented_image_3d_to_contact_frame_converter>");
    ASSERT_EQ(frames.size(), 2u);
    for (int k = 0; k < 2; ++k) {
        auto found = centres<3>(*frames[k]);
        std::sort(found.begin(), found.end());
        EXPECT_EQ(found, (std::vector<std::vector<double>>{{1.5, 1.5, 0.5 + k}, {5.0, 4.0, 1.0}}));
    }
    EXPECT_EQ(contact_numbers(frames), (std::vector<int>{0, 1, 2, 3}));
}

}  // namespace
