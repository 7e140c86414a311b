#pragma once
#include <limits>
#include <string>
#include <type_traits>

#include "xml/querier.h"

namespace ipc {

// Largest radius of a 2-D mask: keeps centre + offset inside int arithmetic
// for every image a 32-bit size can describe.
constexpr double kLargestMaskRadius = 65535;
// Largest semi-axis of a 3-D neighbourhood: with it the ellipsoid test
// i² rj² rk² + j² ri² rk² + k² ri² rj² <= ri² rj² rk² stays exact in 64 bits.
constexpr long long kLargestVoxelRadius = 1000;

// Parameter reads for the image operators. Each reads the required child
// `key` of `element` and fails, naming the key, its value and the element,
// when the value is outside the accepted range:
//   "invalid radius = -1 in circle_mask (expected a finite number from 0 to 65535)"
double read_finite(const xml::Querier& element, const std::string& key);
double read_real_in_range(const xml::Querier& element, const std::string& key, double lowest, double highest);
long long read_integer_in_range(const xml::Querier& element, const std::string& key, long long lowest,
                                long long highest);
// The same for an optional child: `fallback` when the element has none.
double read_real_in_range(const xml::Querier& element, const std::string& key, double lowest, double highest,
                          double fallback);
long long read_integer_in_range(const xml::Querier& element, const std::string& key, long long lowest,
                                long long highest, long long fallback);

// Reads a pixel value of type T: integers must lie in T's range (read as an
// integer, so "255" is never taken as the character '2'), reals must be finite.
template <class T>
T read_pixel_value(const xml::Querier& element, const std::string& key) {
    if constexpr (std::is_floating_point_v<T>) {
        return static_cast<T>(read_real_in_range(element, key, std::numeric_limits<T>::lowest(),
                                                 std::numeric_limits<T>::max()));
    } else {
        return static_cast<T>(read_integer_in_range(element, key, std::numeric_limits<T>::lowest(),
                                                    std::numeric_limits<T>::max()));
    }
}

// Formats a number as the messages show it.
std::string number_text(double value);

}  // namespace ipc
