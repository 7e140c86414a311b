#include "imaging/synthetic/compressed_tiff.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "imaging/tiff_file.h"
#include "util/exception.h"

namespace synth {

void write_compressed_tiff(const std::string& path, const ipc::Image<unsigned short>& image) {
    if (image.empty()) throw util::Exception("cannot write an empty image, file = " + path);
    ipc::TiffFile file(path, "w");
    if (!file.is_open()) throw util::Exception("Unable to open file: " + path + file.diagnostics());
    TIFF* tif = file.handle();

    const auto width = static_cast<std::uint32_t>(image.width());
    const auto height = static_cast<std::uint32_t>(image.height());
    const std::uint16_t compression =
        TIFFIsCODECConfigured(COMPRESSION_ADOBE_DEFLATE) ? COMPRESSION_ADOBE_DEFLATE : COMPRESSION_LZW;
    const bool tagged = TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width) == 1 &&
                        TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height) == 1 &&
                        TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 16) == 1 &&
                        TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1) == 1 &&
                        TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK) == 1 &&
                        TIFFSetField(tif, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT) == 1 &&
                        TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) == 1 &&
                        TIFFSetField(tif, TIFFTAG_FILLORDER, FILLORDER_MSB2LSB) == 1 &&
                        TIFFSetField(tif, TIFFTAG_COMPRESSION, compression) == 1 &&
                        TIFFSetField(tif, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL) == 1;
    file.require(tagged, "unable to set the image tags");

    const std::uint32_t rows_per_strip =
        std::max<std::uint32_t>(1, TIFFDefaultStripSize(tif, static_cast<std::uint32_t>(-1)));
    file.require(TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, rows_per_strip) == 1,
                 "unable to set rows per strip");

    // The predictor works in its input buffer, so each strip is encoded from
    // a copy and the image stays untouched.
    const std::size_t row_bytes = std::size_t{width} * sizeof(unsigned short);
    ipc::TiffBuffer buffer(row_bytes * std::min(rows_per_strip, height));
    file.require(buffer.valid(), "unable to allocate the strip buffer");
    for (std::uint32_t first = 0, strip = 0; first < height; first += rows_per_strip, ++strip) {
        const std::size_t bytes = row_bytes * std::min(rows_per_strip, height - first);
        std::memcpy(buffer.data(), image.row(static_cast<int>(first)), bytes);
        file.require(TIFFWriteEncodedStrip(tif, strip, buffer.data(), static_cast<tmsize_t>(bytes)) != -1,
                     "unable to write strip " + std::to_string(strip));
    }
    file.close();
}

}  // namespace synth
