#pragma once
#include <string>

#include "imaging/image.h"
#include "imaging/image_3d.h"
#include "imaging/tiff_file.h"

namespace ipc {

// How the strips of a written page are compressed. LZW makes the smallest
// files of the three; PackBits (run lengths, part of every TIFF reader)
// encodes a label mask, mostly runs of zeros, about four times faster at
// about twice the size.
enum class TiffCompression { lzw, packbits, none };

// Writes image as the current directory of a file open for writing:
// min-is-black greyscale, one sample of 8 * sizeof(T) bits per pixel, LZW
// compressed unless told otherwise, in strips of libtiff's default size. A
// failed strip write throws with the file name. Instantiated for unsigned
// char, unsigned short and int pixels.
template <class T>
void write_greyscale_page(const TiffFile& file, const Image<T>& image,
                          TiffCompression compression = TiffCompression::lzw);

// Writes image as a single-page file; "Unable to open file: " + name when
// the file cannot be created.
template <class T>
void write_greyscale_tiff(const std::string& name, const Image<T>& image);

// Writes every slice as one page, in slice order, without page numbers;
// "unable to write directory" when a page cannot be finished.
template <class T>
void write_greyscale_tiff_stack(const std::string& name, const Image3d<T>& image);

}  // namespace ipc
