#pragma once
#include <string>

#include "imaging/operators/color_map_parameters.h"
#include "imaging/operators/pixel_conversion.h"
#include "imaging/type_words.h"
#include "xml/querier.h"

namespace ipc {

// Pixel-wise maps used by ImageConverter. Each map declares the parameters
// of its "color_map" element in schema() (built from them, or from that
// element), names itself with word() (part of the converter's key) and
// maps one input pixel to one output pixel.

// The value converted to the output type (real values truncated toward zero,
// values outside the output type clamped).
template <class In, class Out>
class IdentityColorMap {
public:
    using input_type = In;
    using output_type = Out;
    using Parameters = config::NoParameters;
    static const config::Schema<Parameters>& schema() { return no_color_map_parameters(); }
    explicit IdentityColorMap(const Parameters& = {}) {}
    explicit IdentityColorMap(const xml::Querier& color_map) : IdentityColorMap(schema().bind(color_map)) {}
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
    using Parameters = config::NoParameters;
    static const config::Schema<Parameters>& schema() { return no_color_map_parameters(); }
    explicit UnsignedShortToUnsignedCharColorMap(const Parameters& = {}) {}
    explicit UnsignedShortToUnsignedCharColorMap(const xml::Querier& color_map)
        : UnsignedShortToUnsignedCharColorMap(schema().bind(color_map)) {}
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
    using Parameters = config::NoParameters;
    static const config::Schema<Parameters>& schema() { return no_color_map_parameters(); }
    explicit LeftShiftColorMap(const Parameters& = {}) {}
    explicit LeftShiftColorMap(const xml::Querier& color_map) : LeftShiftColorMap(schema().bind(color_map)) {}
    static std::string word() { return "left_shift_color_map"; }
    unsigned short operator()(unsigned short v) const { return static_cast<unsigned short>((v & 0xffu) << 8); }
};

// v shifted right by 8 bits: the high byte.
class RightShiftColorMap {
public:
    using input_type = unsigned short;
    using output_type = unsigned short;
    using Parameters = config::NoParameters;
    static const config::Schema<Parameters>& schema() { return no_color_map_parameters(); }
    explicit RightShiftColorMap(const Parameters& = {}) {}
    explicit RightShiftColorMap(const xml::Querier& color_map) : RightShiftColorMap(schema().bind(color_map)) {}
    static std::string word() { return "right_shift_color_map"; }
    unsigned short operator()(unsigned short v) const { return static_cast<unsigned short>(v >> 8); }
};

// A threshold: true exactly when v > "cut".
template <class T>
class TypeToBoolColorMap {
public:
    using input_type = T;
    using output_type = bool;
    struct Parameters {
        PixelParameter<T> cut = 0;
    };
    static const config::Schema<Parameters>& schema();
    explicit TypeToBoolColorMap(const Parameters& parameters)
        : cut_(static_cast<T>(schema().validate(parameters).cut)) {}
    explicit TypeToBoolColorMap(const xml::Querier& color_map) : TypeToBoolColorMap(schema().bind(color_map)) {}
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
    struct Parameters {
        PixelParameter<T> true_value = 1;
        PixelParameter<T> false_value = 0;
    };
    static const config::Schema<Parameters>& schema();
    explicit BoolToTypeColorMap(const Parameters& parameters)
        : on_(static_cast<T>(schema().validate(parameters).true_value)),
          off_(static_cast<T>(parameters.false_value)) {}
    explicit BoolToTypeColorMap(const xml::Querier& color_map) : BoolToTypeColorMap(schema().bind(color_map)) {}
    static std::string word() { return "bool_to_" + type_word<T>() + "_color_map"; }
    T operator()(bool v) const { return v ? on_ : off_; }

private:
    T on_;
    T off_;
};

template <class T>
const config::Schema<typename TypeToBoolColorMap<T>::Parameters>& TypeToBoolColorMap<T>::schema() {
    static const auto schema =
        config::Schema<Parameters>("color_map", "a threshold: true exactly where the pixel is above cut")
            .required(&Parameters::cut, "cut", "the highest value that maps to false", pixel_value<T>());
    return schema;
}

template <class T>
const config::Schema<typename BoolToTypeColorMap<T>::Parameters>& BoolToTypeColorMap<T>::schema() {
    using P = Parameters;
    static const auto schema = config::Schema<P>("color_map", "paints true and false pixels with two values")
                                   .required(&P::true_value, "true", "the value of true pixels", pixel_value<T>())
                                   .required(&P::false_value, "false", "the value of false pixels", pixel_value<T>());
    return schema;
}

}  // namespace ipc
