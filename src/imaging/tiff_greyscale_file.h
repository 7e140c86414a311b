#pragma once
#include <vector>

#include "imaging/float_to_short_scaling.h"
#include "imaging/image.h"
#include "imaging/tiff_file.h"
#include "imaging/tiff_size_check.h"

namespace ipc {

// One page (directory) of a greyscale TIFF as read. Integer samples are
// already in `pixels`: unsigned 8- and 16-bit as they are, signed ones
// shifted to start at 0 (p + 128, p + 32768), so nothing is lost. Float
// samples wait in `floats` until the scaling of the whole file is known.
struct TiffPage {
    int width = 0;
    int height = 0;
    Image<unsigned short> pixels;
    std::vector<float> floats;
    bool is_float() const { return !floats.empty(); }
};

// Reads greyscale TIFF directories (min-is-black, one sample per pixel,
// contiguous, msb-to-lsb fill order; unsigned or signed 8- or 16-bit
// integers or 32-bit floats; in strips or tiles, with whatever compression
// libtiff decodes). Tags are read with their TIFF defaults. The declared
// size is checked before any pixel buffer is allocated (tiff_size_check.h).
// Every failure throws util::Exception naming the file.
struct TiffGreyScaleFile {
    // Reads the current directory into a 16-bit image; float pixels are
    // scaled by this page alone (FloatToShortScaling).
    static void read(const TiffFile& file, Image<unsigned short>& image);

    // Reads the current directory; `check` carries the limits across the
    // pages of one file.
    static TiffPage read_page(const TiffFile& file, TiffSizeCheck& check);

    // Converts the float pages of one file with one scaling made from all
    // of them; integer pages are left as they are.
    static void convert_floats(std::vector<TiffPage*> pages);
};

}  // namespace ipc
