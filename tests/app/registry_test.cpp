#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/registration.h"
#include "celltracking/result_component_registry.h"
#include "config/catalogue.h"
#include "lineage/lineage_registry.h"
#include "model/frame.h"
#include "model/state.h"
#include "pipeline/component.h"
#include "support/expect_message.h"
#include "tracker/filter.h"

namespace {

// The registration order of the component catalogue: the generic stages, the
// image family, then tracking and cell-tracking output, then the keys added
// after that catalogue.
const std::vector<std::string> kComponentOrder = {
    "component_chain", "frame_counter", "splitter", "pass_through", "terminator", "frame_writer", "prefetch",
    "short_image_tiff_reader", "short_image_3d_tiff_reader",
    "char_image_tiff_writer", "short_image_tiff_writer", "signed_int_image_tiff_writer",
    "segment_image_tiff_writer", "short_image_3d_tiff_writer", "segment_image_3d_tiff_writer",
    "short_image_segmented_image_initializer_algorithm_component",
    "segment_image_segmented_image_initializer_algorithm_component",
    "short_image_3d_segmented_image_3d_initializer_algorithm_component",
    "segment_image_3d_segmented_image_3d_initializer_algorithm_component",
    "short_image_segmented_image_greyscale_segmentor_algorithm_component",
    "short_image_3d_segmented_image_greyscale_segmentor_3d_algorithm_component",
    "short_image_segmented_image_to_segment_image_converter_algorithm_component",
    "short_image_3d_segmented_image_3d_to_segment_image_3d_converter_algorithm_component",
    "short_image_to_char_image_full_intensity_affine_transformer_algorithm_component",
    "float_image_to_char_image_full_intensity_affine_transformer_algorithm_component",
    "float_image_to_short_image_full_intensity_affine_transformer_algorithm_component",
    "short_image_to_short_image_full_intensity_affine_transformer_algorithm_component",
    "signed_int_image_to_char_image_full_intensity_affine_transformer_algorithm_component",
    "short_image_to_char_image_affine_transformer_algorithm_component",
    "short_image_segmented_image_spatial_segmentor_algorithm_component",
    "segment_image_segmented_image_spatial_segmentor_algorithm_component",
    "short_image_spatial_segmentor_algorithm_component",
    "bool_image_spatial_segmentor_algorithm_component",
    "segment_image_3d_spatial_segmentor_3d_algorithm_component",
    "segment_image_3d_segmented_image_3d_spatial_segmentor_3d_algorithm_component",
    "short_image_segmented_to_projected_converter_algorithm_component",
    "short_image_segmented_to_ordered_converter_algorithm_component",
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
    "meta_data_state_inserter", "filter_definer", "multiple_hypothesis_tracker",
    "track_report_frame_to_composite_state_frame_converter", "unconfirmed_track_size_buffer_filter",
    "track_relabeler", "isbi_frame_writer", "isbi_frame_writer_3d", "trailing_coast_remover",
};

TEST(Registry, ComponentKeysAreRegisteredInCatalogueOrder) {
    app::register_all();
    const std::vector<std::string>& order = cmpnt::factory().registration_order();
    ASSERT_GT(order.size(), kComponentOrder.size());
    // The catalogue first, then the keys of the lineage and result hooks,
    // the sources added after it last.
    EXPECT_EQ(std::vector<std::string>(order.begin(), order.begin() + kComponentOrder.size()), kComponentOrder);
    cmpnt::ComponentFactory hooks;
    lineage::register_lineage_components(hooks);
    isbi::register_result_components(hooks);
    std::vector<std::string> tail = hooks.registration_order();
    tail.insert(tail.end(), {"frame_reader", "scenario_source"});
    EXPECT_EQ(std::vector<std::string>(order.begin() + kComponentOrder.size(), order.end()), tail);
}

TEST(Registry, FamiliesStartWithTheirFirstKeys) {
    app::register_all();
    EXPECT_EQ(frame::factory().registration_order(),
              (std::vector<std::string>{"composite_state_frame", "track_report_frame", "association_frame"}));
    const auto& states = state::factory().registration_order();
    ASSERT_FALSE(states.empty());
    EXPECT_EQ(states.front(), "last_contact_time_state");
    const auto& filters = ostrel::filter_factory().registration_order();
    ASSERT_GE(filters.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(filters.begin(), filters.begin() + 3),
              (std::vector<std::string>{"no_op", "bad_op", "composite"}));
}

TEST(Registry, EveryFrameKeyIsDescribed) {
    app::register_all();
    for (const std::string& key : frame::factory().registration_order()) {
        const std::string text = config::describe_key(key);
        EXPECT_EQ(text.rfind(key + ": ", 0), 0u) << text;
        EXPECT_EQ(text.find("no parameter description"), std::string::npos) << text;
    }
}

TEST(Registry, ARepeatedRegistrationFailsNamingTheKeyAndKeepsTheFirstCreators) {
    app::register_all();
    const std::size_t before = cmpnt::factory().size();
    EXPECT_MESSAGE(app::register_components(),
                   "QuerierFactory::registerize failed, key already exists: key = component_chain");
    EXPECT_EQ(cmpnt::factory().size(), before);
}

}  // namespace
