#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "config/catalogue.h"
#include "imaging/contact_frame_converters.h"
#include "imaging/image_component_registry.h"
#include "imaging/object_segmentors.h"
#include "imaging/operators/gaussian_smoother.h"
#include "imaging/segmented_image_adapters.h"
#include "imaging/threshold_segmentors.h"
#include "imaging_test_support.h"
#include "model/composite_state_frame.h"
#include "xml/strictness.h"

namespace {

using namespace ipc;
using ipc_test::element;

std::vector<std::string> image_keys() {
    cmpnt::ComponentFactory factory;
    register_image_components(factory);
    return factory.keys();
}

// The message of building key's element from the given children; "" when it builds.
std::string failure(const std::string& key, const std::string& children) {
    cmpnt::ComponentFactory factory;
    register_image_components(factory);
    try {
        factory.create(element("<" + key + ">" + children + "</" + key + ">"));
    } catch (const std::exception& error) {
        return error.what();
    }
    return "";
}

// One bad value per parameter family; the message must name the key whose
// element holds it, the element and the value.
struct BadValue {
    const char* key;
    const char* children;
    const char* at_fault;
    const char* value;
};

const BadValue bad_values[] = {
    {"short_image_tiff_reader", "<directory>.</directory><start_time>0</start_time><dt>inf</dt>", "dt", "inf"},
    {"short_image_3d_tiff_writer", "<directory>unused</directory><width>-2</width>", "width", "-2"},
    {"short_image_segmented_image_greyscale_segmentor_algorithm_component",
     "<number_of_colors>1</number_of_colors>", "number_of_colors", "1"},
    {"short_image_3d_segmented_image_3d_threshold_segmentor_3d_algorithm_component", "<offset>70000</offset>",
     "offset", "70000"},
    {"short_image_segmented_image_threshold_segmentor_algorithm_component", "<method>mean</method>", "method",
     "mean"},
    {"short_image_segmented_image_object_segmentor_algorithm_component", "<seed_distance>-1</seed_distance>",
     "seed_distance", "-1"},
    {"short_image_3d_segmented_image_3d_object_segmentor_3d_algorithm_component", "<fill_holes>yes</fill_holes>",
     "fill_holes", "yes"},
    {"short_image_segmented_image_to_contact_frame_converter",
     "<sigma>1 nan</sigma><minimum_contact_size>0</minimum_contact_size>", "sigma", "nan"},
    {"segment_image_3d_segmented_image_3d_to_contact_frame_converter",
     "<sigma>1 1 1</sigma><minimum_contact_size>-5</minimum_contact_size>", "minimum_contact_size", "-5"},
    {"short_image_3d_to_short_image_3d_gaussian_smoother_algorithm_component",
     "<sigma>1</sigma><sigma_z>101</sigma_z>", "sigma_z", "101"},
    {"short_image_to_short_image_background_subtractor_algorithm_component", "<scale>3</scale>", "scale", "3"},
    {"short_image_to_char_image_affine_transformer_algorithm_component",
     "<x0>0</x0><y0>0</y0><x1>nan</x1><y1>1</y1>", "x1", "nan"},
    {"float_image_to_char_image_full_intensity_affine_transformer_algorithm_component",
     "<minimum>-inf</minimum><maximum>255</maximum>", "minimum", "-inf"},
    {"short_image_3d_to_short_image_3d_mean_convolver_algorithm_component",
     "<i_radius>1</i_radius><j_radius>0</j_radius><k_radius>1</k_radius>", "j_radius", "0"},
    {"bool_image_to_char_image_bool_to_char_color_map_image_converter",
     "<color_map><true>255</true></color_map><false>300</false>", "false", "300"},
    // A mask's problems are its own: the mask's element names them.
    {"short_image_max_convolver_algorithm_component", "<disk_mask><inner_radius>1</inner_radius>"
     "<outer_radius>70000</outer_radius></disk_mask>", "outer_radius", "70000"},
};

TEST(ImageSchemasTest, BadValuesNameTheKeyTheElementAndTheValue) {
    for (const BadValue& c : bad_values) {
        const std::string message = failure(c.key, c.children);
        ASSERT_FALSE(message.empty()) << c.key << " built with " << c.children;
        const std::string key = std::string(c.key).find("max_convolver") != std::string::npos ? "disk_mask" : c.key;
        for (const std::string& part : {key, std::string(c.at_fault), std::string(c.value)})
            EXPECT_NE(message.find(part), std::string::npos) << part << " missing from: " << message;
    }
}

TEST(ImageSchemasTest, EveryImageKeyIsDescribedAndStrictModeRefusesUnknownElements) {
    const std::vector<std::string> keys = image_keys();
    ASSERT_GE(keys.size(), 57u);
    xml::set_strict_mode(true);
    for (const std::string& key : keys) {
        EXPECT_EQ(config::describe_key(key).find("no parameter description"), std::string::npos) << key;
        // The 2-D convolvers take any one child as their mask, so a stray
        // element is an unknown mask rather than an unknown parameter.
        if (key.find("convolver") != std::string::npos && key.find("_3d_mean_") == std::string::npos) continue;
        const std::string message = failure(key, "<colour_map/>");
        EXPECT_NE(message.find(key + " has no element colour_map"), std::string::npos) << key << ": " << message;
    }
    xml::set_strict_mode(false);
}

TEST(ImageSchemasTest, DescribeListsTheParametersOfEachKey) {
    image_keys();  // declares the schemas
    const std::string stack = config::describe_key("short_image_3d_to_short_image_3d_gaussian_smoother_algorithm_component");
    const std::string plane = config::describe_key("short_image_to_short_image_gaussian_smoother_algorithm_component");
    EXPECT_NE(stack.find("sigma_z"), std::string::npos) << stack;
    EXPECT_NE(plane.find("sigma "), std::string::npos) << plane;
    EXPECT_EQ(plane.find("sigma_z"), std::string::npos) << plane;

    const std::string threshold =
        config::describe_key("short_image_segmented_image_threshold_segmentor_algorithm_component");
    for (const char* name : {"method", "threshold", "factor", "offset", "hysteresis", "default otsu"})
        EXPECT_NE(threshold.find(name), std::string::npos) << name << " missing from: " << threshold;

    const std::string converter =
        config::describe_key("short_image_to_bool_image_short_to_bool_color_map_image_converter");
    EXPECT_NE(converter.find("color_map"), std::string::npos) << converter;
    EXPECT_NE(converter.find("cut"), std::string::npos) << converter;
    EXPECT_NE(converter.find("in [0, 65535]"), std::string::npos) << converter;

    EXPECT_NE(config::describe_key("circle_mask").find("radius"), std::string::npos);
    EXPECT_NE(config::describe_key("short_image_tiff_reader").find("start_time"), std::string::npos);
}

// A detection chain built in C++ alone: smooth, threshold, objects, contacts.
TEST(ImageSchemasTest, ComponentsBuiltFromParameterStructsDetectNuclei) {
    auto image = std::make_shared<Image<unsigned short>>(12, 6, 10);
    for (int y = 1; y < 5; ++y)
        for (int x = 1; x < 4; ++x) (*image)(x, y) = (*image)(x + 7, y) = 900;

    GaussianSmoother<Image<unsigned short>> smoother(GaussianSmootherParameters{0.5});
    SegmentedImageInitializer<Image<unsigned short>> initializer;
    AutomaticThreshold::Parameters fixed;
    fixed.method = ThresholdMethod::fixed;
    fixed.threshold = 400;
    SegmentedImageThresholdSegmentor<Image<unsigned short>> threshold(fixed);
    ObjectSegmentationParameters objects;
    objects.minimum_size = 4;
    SegmentedImageObjectSegmentor<Image<unsigned short>> segmentor(objects);
    SegmentedImageToContactFrameConverter<Image<unsigned short>> converter({nmrc::Vector<2>{1.0, 1.0}, 4});

    auto pair = segmentor.apply(threshold.apply(initializer.apply(smoother.apply(image))));
    EXPECT_EQ(pair->segmentation->number_of_segments, 3);
    auto collector = std::make_shared<ipc_test::FrameCollector>();
    converter.insert_child(collector);
    converter.push_frame(std::make_shared<frame::FrameTemplate<SegmentedImage<Image<unsigned short>>>>(2.0, pair));
    ASSERT_EQ(collector->frames.size(), 1u);
    EXPECT_EQ(frame::cast<frame::CompositeStateFrame>(collector->frames[0])->composite_states.size(), 2u);
}

TEST(ImageSchemasTest, ParameterStructsAreCheckedByTheSameRules) {
    EXPECT_THROW_CONTAINING(GaussianSmoother<Image<unsigned short>>(GaussianSmootherParameters{-1}),
                            "gaussian_smoother", "sigma", "-1");
    AutomaticThreshold::Parameters fixed_without_value;
    fixed_without_value.method = ThresholdMethod::fixed;
    EXPECT_THROW_CONTAINING(SegmentedImageThresholdSegmentor<Image<unsigned short>>{fixed_without_value},
                            "threshold_segmentor", "threshold must be given with method fixed");
    ObjectSegmentationParameters no_neck;
    no_neck.neck_ratio = 0;
    EXPECT_THROW_CONTAINING(SegmentedImageObjectSegmentor<Image<unsigned short>>{no_neck}, "object_segmentor",
                            "neck_ratio", "0");
    EXPECT_THROW_CONTAINING((SegmentedImageToContactFrameConverter<SegmentImage>({nmrc::Vector<2>{-1.0, -1.0}, 0})),
                            "contact_frame_converter", "sigma", "-1");
}

}  // namespace
