#pragma once
#include "imaging/image.h"
#include "imaging/tiff_file.h"

namespace ipc {

// Reads the current directory of an open greyscale TIFF (min-is-black, one
// sample per pixel, 8 or 16 bits, contiguous, msb-to-lsb fill order) into a
// 16-bit image; 8-bit pixels are widened unchanged. Tags are read with their
// TIFF defaults and libtiff decodes whatever compression it supports.
// Every failure throws util::Exception naming the file.
struct TiffGreyScaleFile {
    static void read(const TiffFile& file, Image<unsigned short>& image);
};

}  // namespace ipc
