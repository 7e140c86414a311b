#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

#include "app/registration.h"
#include "celltracking/result_component_registry.h"
#include "lineage/lineage_registry.h"
#include "model/state.h"
#include "pipeline/component.h"
#include "tracker/filter.h"

namespace {

// The registration order of the component catalogue: the generic stages, the
// image family, then tracking and cell-tracking output, then the keys added
// after that catalogue.
const std::vector<std::string> kComponentOrder = {
    "component_chain", "frame_counter", "splitter", "pass_through", "terminator", "frame_writer",
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

// Records the keys a factory is asked to register, in order, by watching a
// second registration: every key then prints its duplicate warning.
std::vector<std::string> registration_order(void (*registration)()) {
    std::ostringstream captured;
    auto* previous = std::cout.rdbuf(captured.rdbuf());
    registration();
    std::cout.rdbuf(previous);
    std::vector<std::string> keys;
    std::istringstream lines(captured.str());
    const std::string prefix = "QuerierFactory::registerize failed, key already exists: key = ";
    for (std::string line; std::getline(lines, line);)
        if (line.rfind(prefix, 0) == 0) keys.push_back(line.substr(prefix.size()));
    return keys;
}

TEST(Registry, ComponentKeysAreRegisteredInCatalogueOrder) {
    app::register_all();
    std::vector<std::string> order = registration_order(&app::register_components);
    ASSERT_GT(order.size(), kComponentOrder.size());
    // The catalogue first, then the keys of the lineage and result hooks,
    // the sources added after it last.
    EXPECT_EQ(std::vector<std::string>(order.begin(), order.begin() + kComponentOrder.size()), kComponentOrder);
    std::vector<std::string> tail = registration_order([] {
        lineage::register_lineage_components(cmpnt::factory());
        isbi::register_result_components(cmpnt::factory());
    });
    tail.insert(tail.end(), {"frame_reader", "scenario_source"});
    EXPECT_EQ(std::vector<std::string>(order.begin() + kComponentOrder.size(), order.end()), tail);
}

TEST(Registry, FamiliesStartWithTheirFirstKeys) {
    app::register_all();
    EXPECT_EQ(registration_order(&app::register_frames),
              (std::vector<std::string>{"composite_state_frame", "track_report_frame", "association_frame"}));
    auto states = registration_order(&app::register_states);
    ASSERT_FALSE(states.empty());
    EXPECT_EQ(states.front(), "last_contact_time_state");
    auto filters = registration_order(&app::register_filters);
    ASSERT_GE(filters.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(filters.begin(), filters.begin() + 3),
              (std::vector<std::string>{"no_op", "bad_op", "composite"}));
}

TEST(Registry, RegisteringTwiceKeepsTheFirstCreatorsAndOnlyWarns) {
    app::register_all();
    std::size_t before = cmpnt::factory().size();
    auto repeated = registration_order(&app::register_components);
    EXPECT_EQ(cmpnt::factory().size(), before);
    EXPECT_EQ(repeated.size(), before);
}

}  // namespace
