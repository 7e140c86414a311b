#pragma once
#include <string>

#include "imaging/image.h"
#include "imaging/image_3d.h"
#include "imaging/segment_image.h"
#include "imaging/segmented_image.h"

namespace ipc {

// Factory keys of image components are composed from these words, e.g.
// word(Image<unsigned short>) = "short_image". Other headers add words for
// their own types (colour maps, ...) by specialising TypeWord.
template <class T>
struct TypeWord;

template <class T>
std::string type_word() {
    return TypeWord<T>::word();
}

template <>
struct TypeWord<bool> {
    static std::string word() { return "bool"; }
};
template <>
struct TypeWord<unsigned char> {
    static std::string word() { return "char"; }
};
template <>
struct TypeWord<unsigned short> {
    static std::string word() { return "short"; }
};
template <>
struct TypeWord<int> {
    static std::string word() { return "signed_int"; }
};
template <>
struct TypeWord<float> {
    static std::string word() { return "float"; }
};

template <class T>
struct TypeWord<Image<T>> {
    static std::string word() { return type_word<T>() + "_image"; }
};
template <class T>
struct TypeWord<Image3d<T>> {
    static std::string word() { return type_word<T>() + "_image_3d"; }
};
template <>
struct TypeWord<SegmentImage> {
    static std::string word() { return "segment_image"; }
};
template <>
struct TypeWord<SegmentImage3d> {
    static std::string word() { return "segment_image_3d"; }
};
template <class I>
struct TypeWord<SegmentedImage<I>> {
    static std::string word() { return type_word<I>() + "_segmented_image"; }
};
template <class I>
struct TypeWord<SegmentedImage3d<I>> {
    static std::string word() { return type_word<I>() + "_segmented_image_3d"; }
};

}  // namespace ipc
