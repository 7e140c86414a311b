#include <gtest/gtest.h>

#include "imaging/operators/operator_registry.h"
#include "operator_test_support.h"

namespace {

using namespace ipc;
using ipc_test::FrameCollector;
using operator_test::element;

const std::vector<std::string> kTransformerKeys = {
    "short_image_to_char_image_full_intensity_affine_transformer_algorithm_component",
    "float_image_to_char_image_full_intensity_affine_transformer_algorithm_component",
    "float_image_to_short_image_full_intensity_affine_transformer_algorithm_component",
    "short_image_to_short_image_full_intensity_affine_transformer_algorithm_component",
    "signed_int_image_to_char_image_full_intensity_affine_transformer_algorithm_component",
    "short_image_to_char_image_affine_transformer_algorithm_component",
};
const std::vector<std::string> kConverterAndConvolverKeys = {
    "segment_image_3d_to_short_image_3d_identity_color_map_image_converter",
    "short_image_to_char_image_identity_color_map_image_converter",
    "short_image_to_float_image_identity_color_map_image_converter",
    "float_image_to_short_image_identity_color_map_image_converter",
    "short_image_to_char_image_unsigned_short_to_unsigned_char_color_map_image_converter",
    "short_image_to_bool_image_short_to_bool_color_map_image_converter",
    "short_image_to_short_image_left_shift_color_map_image_converter",
    "short_image_to_short_image_right_shift_color_map_image_converter",
    "bool_image_to_char_image_bool_to_char_color_map_image_converter",
    "float_image_to_float_image_convolver_algorithm_component",
    "short_image_to_short_image_mean_convolver_algorithm_component",
    "short_image_3d_to_short_image_3d_mean_convolver_algorithm_component",
    "short_image_max_convolver_algorithm_component",
    "char_image_max_convolver_algorithm_component",
};

TEST(OperatorRegistryTest, RegistersEveryOperatorKeyOnce) {
    cmpnt::ComponentFactory transformers, rest, all;
    register_intensity_transformers(transformers);
    register_converters_and_convolvers(rest);
    register_image_operators(all);
    EXPECT_EQ(transformers.size(), kTransformerKeys.size());
    EXPECT_EQ(rest.size(), kConverterAndConvolverKeys.size());
    EXPECT_EQ(all.size(), kTransformerKeys.size() + kConverterAndConvolverKeys.size());
    for (const auto& key : kTransformerKeys) EXPECT_TRUE(transformers.has(key)) << key;
    for (const auto& key : kConverterAndConvolverKeys) EXPECT_TRUE(rest.has(key)) << key;
}

TEST(OperatorRegistryTest, ConfiguredChainRunsFramesThrough) {
    cmpnt::ComponentFactory factory;
    register_image_operators(factory);
    auto convolver = factory.create(element(
        "<short_image_max_convolver_algorithm_component><circle_mask><radius>1</radius></circle_mask>"
        "</short_image_max_convolver_algorithm_component>"));
    auto threshold = factory.create(element(
        "<short_image_to_bool_image_short_to_bool_color_map_image_converter><color_map><cut>4</cut></color_map>"
        "</short_image_to_bool_image_short_to_bool_color_map_image_converter>"));
    auto collector = std::make_shared<FrameCollector>();
    convolver->insert_child(threshold);
    threshold->insert_child(collector);

    auto in = std::make_shared<Image<unsigned short>>(3, 3, 0);
    (*in)(0, 0) = 9;
    convolver->push_frame(std::make_shared<frame::FrameTemplate<Image<unsigned short>>>(1.0, in));
    convolver->push_frame(nullptr);
    ASSERT_EQ(collector->frames.size(), 2u);
    const auto& out = *frame::cast<frame::FrameTemplate<Image<bool>>>(collector->frames[0])->payload;
    EXPECT_EQ(ipc_test::rows_of(out),
              (std::vector<std::vector<bool>>{{true, true, false}, {true, false, false}, {false, false, false}}));
    EXPECT_EQ(collector->frames[1], nullptr);
}

}  // namespace
