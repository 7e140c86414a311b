#pragma once
#include <string>

#include "imaging/image.h"

namespace synth {

// Writes a 16-bit min-is-black greyscale TIFF, Deflate compressed with the
// horizontal difference predictor (LZW when libtiff lacks Deflate). Noisy
// fluorescence images shrink to about two thirds and label masks to a few
// kilobytes; every libtiff reader decodes them. No date or software tag is
// written, so the same image always gives the same bytes. Throws
// util::Exception naming the file on any failure.
void write_compressed_tiff(const std::string& path, const ipc::Image<unsigned short>& image);

}  // namespace synth
