#include "filters/features/feature_filter_registry.h"

#include "filters/features/ou_gaussian_feature_filters.h"
#include "filters/features/ou_gaussian_feature_vector_filters.h"
#include "filters/features/segment_feature_filters.h"

namespace ostrel {

namespace {

std::vector<FilterKey> all_keys() {
    return {
        filter_entry<RgbColorInitializer>("rgb_color_initializer"),
        filter_entry<RgbColorPredictor>("rgb_color_predictor"),
        filter_entry<RgbColorUpdater>("rgb_color_updater"),
        filter_entry<SegmentSizeInitializer>("segment_size_initializer"),
        filter_entry<SegmentSizePredictor>("segment_size_predictor"),
        filter_entry<SegmentSizeUpdater>("segment_size_updater"),
        filter_entry<OuGaussianFeatureStateInitializer<1>>("ou_gaussian_feature_state_initializer_1d"),
        filter_entry<OuGaussianFeatureStateInitializer<2>>("ou_gaussian_feature_state_initializer_2d"),
        filter_entry<OuGaussianFeatureStateInitializer<3>>("ou_gaussian_feature_state_initializer_3d"),
        filter_entry<OuGaussianFeatureStateInitializer<4>>("ou_gaussian_feature_state_initializer_4d"),
        filter_entry<OuGaussianFeatureStateUpdaterAndGater<1>>(
            "ou_gaussian_feature_state_updater_and_gater_1d"),
        filter_entry<OuGaussianFeatureStateUpdaterAndGater<2>>(
            "ou_gaussian_feature_state_updater_and_gater_2d"),
        filter_entry<OuGaussianFeatureStateUpdaterAndGater<3>>(
            "ou_gaussian_feature_state_updater_and_gater_3d"),
        filter_entry<OuGaussianFeatureStateUpdaterAndGater<4>>(
            "ou_gaussian_feature_state_updater_and_gater_4d"),
        filter_entry<OuGaussianFeatureStatePredictor<1>>("ou_gaussian_feature_state_predictor_1d"),
        filter_entry<OuGaussianFeatureStatePredictor<2>>("ou_gaussian_feature_state_predictor_2d"),
        filter_entry<OuGaussianFeatureStatePredictor<3>>("ou_gaussian_feature_state_predictor_3d"),
        filter_entry<OuGaussianFeatureVectorStateInitializer>(
            "ou_gaussian_feature_vector_state_initializer"),
        filter_entry<OuGaussianFeatureVectorStateUpdaterAndGater>(
            "ou_gaussian_feature_vector_state_updater_and_gater"),
        filter_entry<OuGaussianFeatureVectorStatePredictor>("ou_gaussian_feature_vector_state_predictor"),
    };
}

}  // namespace

const std::vector<FilterKey>& feature_filter_keys() {
    static const std::vector<FilterKey> keys = all_keys();
    return keys;
}

void register_feature_filters(FilterFactory& factory) { register_filter_keys(factory, feature_filter_keys()); }

}  // namespace ostrel
