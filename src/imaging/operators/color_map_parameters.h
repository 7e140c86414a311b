#pragma once
#include <limits>
#include <string>
#include <type_traits>

#include "config/parameterless.h"
#include "config/schema.h"
#include "xml/querier.h"

namespace ipc {

// A colour map's parameters (such as "cut") stand inside the converter's
// "color_map" element or beside it, in the converter's element. Returns a
// copy of the converter's element whose color_map holds them all, for the
// converter's schema to read; a parameter written in both places with
// different texts fails, naming the converter. Without a color_map the
// element is returned as it is (the schema reports the missing element).
xml::Querier color_map_parameters_inside(const xml::Querier& converter);

// The schema of the colour maps without parameters: an empty "color_map".
const config::Schema<config::NoParameters>& no_color_map_parameters();

// A pixel value of type T as a parameter holds it: integers as int, reals
// as double.
template <class T>
using PixelParameter = std::conditional_t<std::is_floating_point_v<T>, double, int>;

// A value of pixel type T: integers within T's range, reals finite; refused
// as "invalid cut = 70000 in color_map (expected an integer from 0 to 65535)".
config::Check<int> integer_pixel_value(int lowest, int highest);
config::Check<double> real_pixel_value(double lowest, double highest);

template <class T>
config::Check<PixelParameter<T>> pixel_value() {
    if constexpr (std::is_floating_point_v<T>) {
        return real_pixel_value(std::numeric_limits<T>::lowest(), std::numeric_limits<T>::max());
    } else {
        using Wide = long long;
        static_assert(Wide{std::numeric_limits<T>::max()} <= std::numeric_limits<int>::max() &&
                          Wide{std::numeric_limits<T>::lowest()} >= std::numeric_limits<int>::lowest(),
                      "pixel values are held as int");
        return integer_pixel_value(std::numeric_limits<T>::lowest(), std::numeric_limits<T>::max());
    }
}

}  // namespace ipc
