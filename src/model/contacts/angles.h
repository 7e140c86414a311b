#pragma once

namespace state {

// Angles are degrees in XML and radians in memory.
constexpr double radians_per_degree = 0.017453292519943295;  // pi / 180
constexpr double degrees_per_radian = 57.29577951308232;     // 180 / pi

}  // namespace state
