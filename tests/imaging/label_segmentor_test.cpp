#include <gtest/gtest.h>

#include "imaging/image_component_registry.h"
#include "imaging/label_segmentor.h"
#include "imaging/tiff_page_writer.h"
#include "imaging_test_support.h"
#include "model/composite_state_frame.h"
#include "model/states/position_estimate_state.h"
#include "pipeline/component_chain.h"

namespace {

using namespace ipc;

TEST(LabelSegmentorTest, DistinctValuesBecomeDenseSegmentsInIncreasingOrder) {
    auto image = std::make_shared<Image<unsigned short>>(4, 2, 0);
    (*image)(0, 0) = 900;
    (*image)(1, 0) = 7;
    (*image)(2, 1) = 65535;
    (*image)(3, 1) = 7;
    auto pair = std::make_shared<SegmentedImage<Image<unsigned short>>>(image, std::make_shared<SegmentImage>());
    SegmentedImageLabelSegmentor<Image<unsigned short>> segmentor(ipc_test::element("<x/>"));
    segmentor.apply(pair);
    const SegmentImage& s = *pair->segmentation;
    EXPECT_EQ(s.number_of_segments, 4);
    EXPECT_EQ(s(0, 0), 2);
    EXPECT_EQ(s(1, 0), 1);
    EXPECT_EQ(s(3, 1), 1);
    EXPECT_EQ(s(2, 1), 3);
    EXPECT_EQ(s(0, 1), 0);

    // The table is renewed per frame: a value seen before does not keep its
    // segment when it is absent now.
    (*image)(0, 0) = 0;
    segmentor.apply(pair);
    EXPECT_EQ(pair->segmentation->number_of_segments, 3);
    EXPECT_EQ((*pair->segmentation)(2, 1), 2);
}

// A folder of label masks from another segmenter yields one contact per
// cell, at the cell's centroid, and none for the background.
TEST(LabelSegmentorTest, LabelMasksBecomeOneContactPerCell) {
    auto& factory = cmpnt::factory();
    if (!factory.has("component_chain"))
        util::register_key(factory, "component_chain", &util::create<cmpnt::Component, cmpnt::ComponentChain>);
    if (!factory.has("short_image_tiff_reader")) register_image_components(factory);

    Image<unsigned short> mask(12, 10, 0);
    for (int y = 1; y < 4; ++y)
        for (int x = 1; x < 4; ++x) mask(x, y) = 17;  // a 3 x 3 cell centred on (2, 2)
    for (int x = 6; x < 10; ++x) mask(x, 7) = 3;       // a 4 x 1 cell centred on (7.5, 7)
    ipc_test::TempDir dir;
    write_greyscale_tiff(dir.file("mask000.tif"), mask);

    const std::string config =
        "<component_chain><components>"
        "<short_image_tiff_reader><directory>" + dir.path() + "</directory><start_time>0</start_time><dt>1</dt>"
        "</short_image_tiff_reader>"
        "<short_image_segmented_image_initializer_algorithm_component/>"
        "<short_image_segmented_image_label_segmentor_algorithm_component/>"
        "<short_image_segmented_image_to_segment_image_converter_algorithm_component/>"
        "<segment_image_segmented_image_initializer_algorithm_component/>"
        "<segment_image_segmented_image_spatial_segmentor_algorithm_component/>"
        "<segment_image_segmented_image_to_contact_frame_converter><sigma>1 1</sigma>"
        "<minimum_contact_size>1</minimum_contact_size></segment_image_segmented_image_to_contact_frame_converter>"
        "</components></component_chain>";
    auto chain = factory.create(ipc_test::element(config));
    auto collector = std::make_shared<ipc_test::FrameCollector>();
    chain->insert_child(collector);
    while (chain->push()) {
    }
    ASSERT_EQ(collector->frames.size(), 2u);
    auto contacts = frame::cast<frame::CompositeStateFrame>(collector->frames[0]);
    ASSERT_EQ(contacts->composite_states.size(), 2u);
    std::vector<std::pair<double, double>> centres;
    for (const auto& contact : contacts->composite_states) {
        const auto& mean = contact->get<state::PositionEstimateState<2>>().estimate.mean;
        centres.push_back({mean[0], mean[1]});
    }
    EXPECT_EQ(centres[0], std::make_pair(2.0, 2.0));
    EXPECT_EQ(centres[1], std::make_pair(7.5, 7.0));
}

}  // namespace
