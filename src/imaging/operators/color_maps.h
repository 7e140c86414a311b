#pragma once
#include <string>

#include "imaging/operators/color_map_parameters.h"
#include "imaging/operators/operator_parameters.h"
#include "imaging/operators/pixel_conversion.h"
#include "imaging/type_words.h"
#include "xml/querier.h"

namespace ipc {

// Pixel-wise maps used by ImageConverter. Each map takes the converter's
// element, names itself with word() (part of the converter's key) and maps
// one input pixel to one output pixel.

// The value converted to the output type (real values truncated toward zero,
// values outside the output type clamped).
template <class In, class Out>
class IdentityColorMap {
public:
    using input_type = In;
    using output_type = Out;
    explicit IdentityColorMap(const xml::Querier&) {}
    static std::string word() { return "identity_color_map"; }
    Out operator()(In v) const { return to_pixel<Out>(v); }
};

// 16-bit values that carry one significant byte become 8-bit values: v below
// 256 stays, a multiple of 256 becomes v / 256. Any other value (both bytes
// non-zero) fails with "UnsignedShortToUnsignedCharColorMap problem" and the
// value.
class UnsignedShortToUnsignedCharColorMap {
public:
    using input_type = unsigned short;
    using output_type = unsigned char;
    explicit UnsignedShortToUnsignedCharColorMap(const xml::Querier&) {}
    static std::string word() { return "unsigned_short_to_unsigned_char_color_map"; }
    unsigned char operator()(unsigned short v) const {
        if (v < 256) return static_cast<unsigned char>(v);
        if (v % 256 == 0) return static_cast<unsigned char>(v / 256);
        fail(v);
    }

private:
    [[noreturn]] static void fail(unsigned short v);
};

// v shifted left by 8 bits in 16: the low byte becomes the high byte and
// the high byte is dropped (0xabcd gives 0xcd00), so that the 16-to-8-bit
// map that follows keeps a value's low byte.
class LeftShiftColorMap {
public:
    using input_type = unsigned short;
    using output_type = unsigned short;
    explicit LeftShiftColorMap(const xml::Querier&) {}
    static std::string word() { return "left_shift_color_map"; }
    unsigned short operator()(unsigned short v) const { return static_cast<unsigned short>((v & 0xffu) << 8); }
};

// v shifted right by 8 bits: the high byte.
class RightShiftColorMap {
public:
    using input_type = unsigned short;
    using output_type = unsigned short;
    explicit RightShiftColorMap(const xml::Querier&) {}
    static std::string word() { return "right_shift_color_map"; }
    unsigned short operator()(unsigned short v) const { return static_cast<unsigned short>(v >> 8); }
};

// A threshold: true exactly when v > "cut".
template <class T>
class TypeToBoolColorMap {
public:
    using input_type = T;
    using output_type = bool;
    explicit TypeToBoolColorMap(const xml::Querier& converter);
    static std::string word() { return type_word<T>() + "_to_bool_color_map"; }
    bool operator()(T v) const { return v > cut_; }
    T cut() const { return cut_; }

private:
    T cut_;
};

// Paints true pixels with "true" and false pixels with "false".
template <class T>
class BoolToTypeColorMap {
public:
    using input_type = bool;
    using output_type = T;
    explicit BoolToTypeColorMap(const xml::Querier& converter);
    static std::string word() { return "bool_to_" + type_word<T>() + "_color_map"; }
    T operator()(bool v) const { return v ? on_ : off_; }

private:
    T on_;
    T off_;
};

template <class T>
TypeToBoolColorMap<T>::TypeToBoolColorMap(const xml::Querier& converter)
    : cut_(read_pixel_value<T>(color_map_parameter_holder(converter, "cut"), "cut")) {}

template <class T>
BoolToTypeColorMap<T>::BoolToTypeColorMap(const xml::Querier& converter)
    : on_(read_pixel_value<T>(color_map_parameter_holder(converter, "true"), "true")),
      off_(read_pixel_value<T>(color_map_parameter_holder(converter, "false"), "false")) {}

}  // namespace ipc
