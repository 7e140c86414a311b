#include <gtest/gtest.h>

#include <sstream>

#include "imaging/image_component_registry.h"
#include "imaging/segment_features_state.h"
#include "imaging/operators/operator_registry.h"
#include "imaging/segment_states.h"
#include "model/states/segment_size_state.h"
#include "imaging_test_support.h"
#include "xml/out_stream.h"

namespace {

using ipc_test::element;

// The image-side keys of the readers, writers, segmentation and contact
// extraction, in the order of registration (the operators' keys are tested
// with the operators).
const std::vector<std::string> expected_keys{
    "short_image_tiff_reader",
    "short_image_3d_tiff_reader",
    "char_image_tiff_writer",
    "short_image_tiff_writer",
    "signed_int_image_tiff_writer",
    "segment_image_tiff_writer",
    "short_image_3d_tiff_writer",
    "segment_image_3d_tiff_writer",
    "short_image_segmented_image_initializer_algorithm_component",
    "segment_image_segmented_image_initializer_algorithm_component",
    "short_image_3d_segmented_image_3d_initializer_algorithm_component",
    "segment_image_3d_segmented_image_3d_initializer_algorithm_component",
    "short_image_segmented_image_greyscale_segmentor_algorithm_component",
    "short_image_3d_segmented_image_greyscale_segmentor_3d_algorithm_component",
    "short_image_segmented_image_to_segment_image_converter_algorithm_component",
    "short_image_3d_segmented_image_3d_to_segment_image_3d_converter_algorithm_component",
    "short_image_segmented_image_spatial_segmentor_algorithm_component",
    "segment_image_segmented_image_spatial_segmentor_algorithm_component",
    "short_image_spatial_segmentor_algorithm_component",
    "bool_image_spatial_segmentor_algorithm_component",
    "segment_image_3d_spatial_segmentor_3d_algorithm_component",
    "segment_image_3d_segmented_image_3d_spatial_segmentor_3d_algorithm_component",
    "short_image_segmented_to_projected_converter_algorithm_component",
    "short_image_segmented_to_ordered_converter_algorithm_component",
    "segment_image_segmented_image_to_contact_frame_converter",
    "segment_image_3d_segmented_image_3d_to_contact_frame_converter",
    "short_image_segmented_image_label_segmentor_algorithm_component",
    "short_image_to_short_image_gaussian_smoother_algorithm_component",
    "short_image_3d_to_short_image_3d_gaussian_smoother_algorithm_component",
    "short_image_to_short_image_background_subtractor_algorithm_component",
    "short_image_3d_to_short_image_3d_background_subtractor_algorithm_component",
    "short_image_segmented_image_threshold_segmentor_algorithm_component",
    "short_image_3d_segmented_image_3d_threshold_segmentor_3d_algorithm_component",
    "short_image_segmented_image_object_segmentor_algorithm_component",
    "short_image_3d_segmented_image_3d_object_segmentor_3d_algorithm_component",
    "short_image_segmented_image_to_contact_frame_converter",
    "short_image_3d_segmented_image_3d_to_contact_frame_converter",
};


TEST(ImageComponentRegistryTest, RegistersEveryImageKeyAndEachCreatesItsComponent) {
    cmpnt::ComponentFactory factory;
    ipc::register_image_components(factory);
    cmpnt::ComponentFactory operators;
    ipc::register_image_operators(operators);
    EXPECT_EQ(factory.size(), expected_keys.size() + operators.size());
    std::vector<std::string> operator_keys;
    operators.keys(std::back_inserter(operator_keys));
    for (const std::string& key : operator_keys) EXPECT_TRUE(factory.has(key)) << key;
    for (const std::string& key : expected_keys) EXPECT_TRUE(factory.has(key)) << key;

    ipc_test::TempDir dir;
    int folder = 0;
    for (const std::string& key : expected_keys) {
        std::string body;
        if (key.find("_tiff_reader") != std::string::npos)
            body = "<directory>" + dir.path() + "</directory><start_time>0</start_time><dt>1</dt>";
        else if (key.find("_tiff_writer") != std::string::npos)
            body = "<directory>" + dir.file("w" + std::to_string(folder++)) + "</directory><width>3</width>";
        else if (key.find("greyscale") != std::string::npos)
            body = "<number_of_colors>2</number_of_colors>";
        else if (key.find("gaussian_smoother") != std::string::npos)
            body = "<sigma>1.5</sigma>";
        else if (key.find("background_subtractor") != std::string::npos)
            body = "<scale>40</scale>";
        else if (key.find("3d_to_contact") != std::string::npos)
            body = "<sigma>1 1 1</sigma><minimum_contact_size>1</minimum_contact_size>";
        else if (key.find("to_contact") != std::string::npos)
            body = "<sigma>1 1</sigma><minimum_contact_size>1</minimum_contact_size>";
        EXPECT_TRUE(factory.create(element("<" + key + ">" + body + "</" + key + ">"))) << key;
    }
}

TEST(ImageComponentRegistryTest, SegmentStatesReadAndWriteTheirElements) {
    state::StateFactory factory;
    ipc::register_image_states(factory);
    EXPECT_EQ(factory.size(), 5u);

    auto id = factory.create(element("<segment_id_state>17</segment_id_state>"));
    EXPECT_EQ(id->cast<ipc::SegmentIdState>().id, 17);
    auto image = factory.create(element("<segment_image_state/>"));
    EXPECT_FALSE(image->cast<ipc::SegmentImageState>().has_segmentation());
    EXPECT_TRUE(factory.create(element("<segment_image_3d_state/>"))->cast<ipc::SegmentImage3dState>().segmentation ==
                nullptr);

    std::ostringstream text;
    {
        xml::OutStream out(text, "");
        id->write(out);
        image->write(out);
        out.close();
    }
    EXPECT_NE(text.str().find("<segment_id_state>17</segment_id_state>"), std::string::npos) << text.str();
    EXPECT_NE(text.str().find("<segment_image_state/>"), std::string::npos) << text.str();

    const std::string features_xml =
        "<segment_features_state><area>12</area><mean_intensity>3.5</mean_intensity>"
        "<total_intensity>42</total_intensity><orientation>0.25</orientation><major_axis>6</major_axis>"
        "<minor_axis>3</minor_axis><elongation>2</elongation></segment_features_state>";
    auto features = factory.create(element(features_xml));
    EXPECT_EQ(features->cast<ipc::SegmentFeaturesState>().features.total_intensity, 42.0);
    std::ostringstream again;
    {
        xml::OutStream out(again, "");
        features->write(out);
        out.close();
    }
    EXPECT_EQ(factory.create(element(again.str()))->cast<ipc::SegmentFeaturesState>().features.orientation, 0.25);

    // The segment size written into contact files reads back.
    std::ostringstream size_text;
    {
        xml::OutStream out(size_text, "");
        ostrel::SegmentSizeState(2.5, nmrc::Normal<1>(nmrc::Vector<1>::constant(80),
                                                      nmrc::SymmetricMatrix<1>::diagonal(nmrc::Vector<1>::constant(80))))
            .write(out);
        out.close();
    }
    const auto read_back = factory.create(element(size_text.str()));  // kept alive for the reference below
    const auto& size = read_back->cast<ostrel::SegmentSizeState>();
    EXPECT_EQ(size.time, 2.5);
    EXPECT_EQ(size.estimate.mean[0], 80);
    EXPECT_EQ(size.estimate.covariance(0, 0), 80);
}

}  // namespace
