#include "filters/features/feature_filter_registry.h"

#include "filters/features/ou_gaussian_feature_filters.h"
#include "filters/features/ou_gaussian_feature_vector_filters.h"
#include "filters/features/segment_feature_filters.h"

namespace ostrel {

namespace {

template <class T>
FilterKey entry(const char* key) {
    return {key, &util::create<const Filter, T>};
}

std::vector<FilterKey> all_keys() {
    return {
        entry<RgbColorInitializer>("rgb_color_initializer"),
        entry<RgbColorPredictor>("rgb_color_predictor"),
        entry<RgbColorUpdater>("rgb_color_updater"),
        entry<SegmentSizeInitializer>("segment_size_initializer"),
        entry<SegmentSizePredictor>("segment_size_predictor"),
        entry<SegmentSizeUpdater>("segment_size_updater"),
        entry<OuGaussianFeatureStateInitializer<1>>("ou_gaussian_feature_state_initializer_1d"),
        entry<OuGaussianFeatureStateInitializer<2>>("ou_gaussian_feature_state_initializer_2d"),
        entry<OuGaussianFeatureStateInitializer<3>>("ou_gaussian_feature_state_initializer_3d"),
        entry<OuGaussianFeatureStateInitializer<4>>("ou_gaussian_feature_state_initializer_4d"),
        entry<OuGaussianFeatureStateUpdaterAndGater<1>>(
            "ou_gaussian_feature_state_updater_and_gater_1d"),
        entry<OuGaussianFeatureStateUpdaterAndGater<2>>(
            "ou_gaussian_feature_state_updater_and_gater_2d"),
        entry<OuGaussianFeatureStateUpdaterAndGater<3>>(
            "ou_gaussian_feature_state_updater_and_gater_3d"),
        entry<OuGaussianFeatureStateUpdaterAndGater<4>>(
            "ou_gaussian_feature_state_updater_and_gater_4d"),
        entry<OuGaussianFeatureStatePredictor<1>>("ou_gaussian_feature_state_predictor_1d"),
        entry<OuGaussianFeatureStatePredictor<2>>("ou_gaussian_feature_state_predictor_2d"),
        entry<OuGaussianFeatureStatePredictor<3>>("ou_gaussian_feature_state_predictor_3d"),
        entry<OuGaussianFeatureVectorStateInitializer>(
            "ou_gaussian_feature_vector_state_initializer"),
        entry<OuGaussianFeatureVectorStateUpdaterAndGater>(
            "ou_gaussian_feature_vector_state_updater_and_gater"),
        entry<OuGaussianFeatureVectorStatePredictor>("ou_gaussian_feature_vector_state_predictor"),
    };
}

}  // namespace

const std::vector<FilterKey>& feature_filter_keys() {
    static const std::vector<FilterKey> keys = all_keys();
    return keys;
}

void register_feature_filters(FilterFactory& factory) {
    for (const FilterKey& k : feature_filter_keys()) util::register_key(factory, k.key, k.creator);
}

}  // namespace ostrel
