#include "filters/features/segment_feature_filters.h"

#include <cmath>

namespace ostrel {

// -ln 2^24 = -ln 16777216
RgbColorInitializer::RgbColorInitializer(const Parameters& parameters)
    : NormalFeatureInitializer(parameters, -std::log(16777216.0)) {}

// -ln 1000
SegmentSizeInitializer::SegmentSizeInitializer(const Parameters& parameters)
    : NormalFeatureInitializer(parameters, -std::log(1000.0)) {}

}  // namespace ostrel
