#pragma once
#include "filters/features/normal_feature_filters.h"

namespace ostrel {

class RgbColorState;
class SegmentSizeState;

// The mean RGB colour of a segmented object (RgbColorState).

// Key "rgb_color_initializer": b = -ln 2^24, a colour uniform over the
// 24-bit colour cube.
class RgbColorInitializer : public NormalFeatureInitializer<RgbColorState> {
public:
    using NormalFeatureInitializer::Parameters;
    using NormalFeatureInitializer::schema;
    explicit RgbColorInitializer(const Parameters& parameters);
    explicit RgbColorInitializer(const xml::Querier& querier) : RgbColorInitializer(schema().bind(querier)) {}
};

// Key "rgb_color_predictor": "process_noise" holds three densities.
class RgbColorPredictor : public NormalFeaturePredictor<RgbColorState, 3> {
public:
    using NormalFeaturePredictor::NormalFeaturePredictor;
};

// Key "rgb_color_updater".
class RgbColorUpdater : public NormalFeatureUpdater<RgbColorState, 3> {
public:
    using NormalFeatureUpdater::NormalFeatureUpdater;
};

// The size of a segmented object (SegmentSizeState).

// Key "segment_size_initializer": b = -ln 1000.
class SegmentSizeInitializer : public NormalFeatureInitializer<SegmentSizeState> {
public:
    using NormalFeatureInitializer::Parameters;
    using NormalFeatureInitializer::schema;
    explicit SegmentSizeInitializer(const Parameters& parameters);
    explicit SegmentSizeInitializer(const xml::Querier& querier) : SegmentSizeInitializer(schema().bind(querier)) {}
};

// Key "segment_size_predictor": "process_noise" holds one density.
class SegmentSizePredictor : public NormalFeaturePredictor<SegmentSizeState, 1> {
public:
    using NormalFeaturePredictor::NormalFeaturePredictor;
};

// Key "segment_size_updater".
class SegmentSizeUpdater : public NormalFeatureUpdater<SegmentSizeState, 1> {
public:
    using NormalFeatureUpdater::NormalFeatureUpdater;
};

extern template class NormalFeatureInitializer<RgbColorState>;
extern template class NormalFeatureInitializer<SegmentSizeState>;
extern template class NormalFeaturePredictor<RgbColorState, 3>;
extern template class NormalFeaturePredictor<SegmentSizeState, 1>;
extern template class NormalFeatureUpdater<RgbColorState, 3>;
extern template class NormalFeatureUpdater<SegmentSizeState, 1>;

}  // namespace ostrel
