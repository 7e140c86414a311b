#include <gtest/gtest.h>

#include "imaging/image_component_registry.h"
#include "imaging/segment_states.h"
#include "imaging/tiff_page_writer.h"
#include "imaging_test_support.h"
#include "model/composite_state_frame.h"
#include "model/states/position_estimate_state.h"
#include "model/track_label_state.h"
#include "pipeline/component_chain.h"

namespace {

using namespace ipc;

// Background 10, one dim pixel (20), a 2 x 2 blob and a 3 x 1 blob at 500
// and a single bright pixel that is too small to be a contact.
Image<unsigned short> microscope_frame(int shift) {
    Image<unsigned short> image(10, 8, 10);
    image(0, 7) = 20;
    for (int y = 1; y < 3; ++y)
        for (int x = 1 + shift; x < 3 + shift; ++x) image(x, y) = 500;
    for (int x = 5; x < 8; ++x) image(x, 4) = 500;
    image(9, 7) = 500;
    return image;
}

TEST(ImagePipelineTest, TiffFilesBecomeContactFrames) {
    auto& factory = cmpnt::factory();
    if (!factory.has("component_chain"))
        util::register_key(factory, "component_chain", &util::create<cmpnt::Component, cmpnt::ComponentChain>);
    if (!factory.has("short_image_tiff_reader")) register_image_components(factory);

    ipc_test::TempDir dir;
    write_greyscale_tiff(dir.file("t0.tif"), microscope_frame(0));
    write_greyscale_tiff(dir.file("t1.tif"), microscope_frame(1));

    const std::string config =
        "<component_chain><components>"
        "<short_image_tiff_reader><directory>" + dir.path() + "</directory><start_time>0</start_time><dt>1</dt>"
        "</short_image_tiff_reader>"
        "<short_image_segmented_image_initializer_algorithm_component/>"
        "<short_image_segmented_image_greyscale_segmentor_algorithm_component>"
        "<number_of_colors>2</number_of_colors></short_image_segmented_image_greyscale_segmentor_algorithm_component>"
        "<short_image_segmented_image_to_segment_image_converter_algorithm_component/>"
        "<segment_image_segmented_image_initializer_algorithm_component/>"
        "<segment_image_segmented_image_spatial_segmentor_algorithm_component/>"
        "<segment_image_segmented_image_to_contact_frame_converter><sigma>1 1</sigma>"
        "<minimum_contact_size>2</minimum_contact_size></segment_image_segmented_image_to_contact_frame_converter>"
        "</components></component_chain>";
    auto chain = factory.create(ipc_test::element(config));
    auto collector = std::make_shared<ipc_test::FrameCollector>();
    chain->insert_child(collector);
    while (chain->push()) {
    }

    ASSERT_EQ(collector->frames.size(), 3u);
    EXPECT_EQ(collector->frames[2], nullptr);
    int expected_id = 0;
    for (int k = 0; k < 2; ++k) {
        auto contacts = frame::cast<frame::CompositeStateFrame>(collector->frames[k]);
        EXPECT_EQ(contacts->time, k);
        ASSERT_TRUE(contacts->meta_data->get<SegmentImageState>().has_segmentation());
        ASSERT_EQ(contacts->composite_states.size(), 2u) << "frame " << k;
        std::vector<std::pair<double, double>> centres;
        for (const auto& contact : contacts->composite_states) {
            const auto& mean = contact->get<state::PositionEstimateState<2>>().estimate.mean;
            centres.push_back({mean[0], mean[1]});
            EXPECT_EQ(contact->get<state::TrackLabelState>().label.id, expected_id++);
        }
        // Column-major numbering: the left blob comes first.
        EXPECT_EQ(centres[0], std::make_pair(1.5 + k, 1.5));
        EXPECT_EQ(centres[1], std::make_pair(6.0, 4.0));
    }
}

}  // namespace
