#include "imaging/tiff_page_writer.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "imaging/packbits.h"
#include "util/exception.h"

namespace ipc {

namespace {

std::uint16_t compression_tag(TiffCompression compression) {
    switch (compression) {
        case TiffCompression::packbits: return COMPRESSION_PACKBITS;
        case TiffCompression::none: return COMPRESSION_NONE;
        case TiffCompression::lzw: break;
    }
    return COMPRESSION_LZW;
}

}  // namespace

template <class T>
void write_greyscale_page(const TiffFile& file, const Image<T>& image, TiffCompression compression) {
    TIFF* tif = file.handle();
    const std::uint32_t width = static_cast<std::uint32_t>(image.width());
    const std::uint32_t height = static_cast<std::uint32_t>(image.height());
    const std::uint16_t bits = 8 * sizeof(T);
    if (width == 0 || height == 0)
        file.fail("cannot write an empty image, width = " + std::to_string(width) +
                  ", height = " + std::to_string(height));

    bool ok = TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width) == 1 &&
              TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height) == 1 &&
              TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, bits) == 1 &&
              TIFFSetField(tif, TIFFTAG_COMPRESSION, compression_tag(compression)) == 1 &&
              TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK) == 1 &&
              TIFFSetField(tif, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT) == 1 &&
              TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) == 1 &&
              TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1) == 1 &&
              TIFFSetField(tif, TIFFTAG_FILLORDER, FILLORDER_MSB2LSB) == 1;
    file.require(ok, "unable to set the image tags");

    const std::size_t row_bytes = std::size_t{width} * sizeof(T);
    const bool own_packbits = compression == TiffCompression::packbits && !TIFFIsByteSwapped(tif);
    // The library's default strips hold 8 KiB; PackBits strips coded here
    // hold up to 256 KiB, which saves two system calls per 8 KiB written.
    const std::uint32_t rows_per_strip =
        own_packbits ? static_cast<std::uint32_t>(std::max<std::size_t>(1, (256 * 1024) / row_bytes))
                     : std::max<std::uint32_t>(1, TIFFDefaultStripSize(tif, static_cast<std::uint32_t>(-1)));
    file.require(TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, rows_per_strip) == 1,
                 "unable to set rows per strip");

    // PackBits is coded here, several times faster than libtiff's coder on
    // the long zero runs of label masks, and written as raw strips (which
    // the library does not byte-swap: a file of the other byte order takes
    // the library's path).
    if (own_packbits) {
        std::vector<std::uint8_t> coded;
        for (std::uint32_t first = 0, strip = 0; first < height; first += rows_per_strip, ++strip) {
            const std::uint32_t rows = std::min(rows_per_strip, height - first);
            coded.clear();
            packbits_encode(reinterpret_cast<const std::uint8_t*>(image.row(static_cast<int>(first))), row_bytes, rows,
                            coded);
            file.require(TIFFWriteRawStrip(tif, strip, coded.data(), static_cast<tmsize_t>(coded.size())) != -1,
                         "unable to write strip " + std::to_string(strip));
        }
        return;
    }
    // Strips are encoded from a copy: some codecs work in their input buffer.
    TiffBuffer buffer(row_bytes * std::min(rows_per_strip, height));
    file.require(buffer.valid(), "unable to allocate the raster buffer");
    for (std::uint32_t first = 0, strip = 0; first < height; first += rows_per_strip, ++strip) {
        const std::uint32_t rows = std::min(rows_per_strip, height - first);
        const std::size_t bytes = row_bytes * rows;
        std::memcpy(buffer.data(), image.row(static_cast<int>(first)), bytes);
        file.require(TIFFWriteEncodedStrip(tif, strip, buffer.data(), static_cast<tmsize_t>(bytes)) != -1,
                     "unable to write strip " + std::to_string(strip));
    }
}

template <class T>
void write_greyscale_tiff(const std::string& name, const Image<T>& image) {
    TiffFile file(name, "w");
    if (!file.is_open()) throw util::Exception("Unable to open file: " + name + file.diagnostics());
    write_greyscale_page(file, image);
    file.close();
}

template <class T>
void write_greyscale_tiff_stack(const std::string& name, const Image3d<T>& image) {
    if (image.depth() == 0) throw util::Exception("cannot write an empty 3-D image, file = " + name);
    TiffFile file(name, "w");
    if (!file.is_open()) throw util::Exception("Unable to open file: " + name + file.diagnostics());
    for (const Image<T>& slice : image.slices()) {
        write_greyscale_page(file, slice);
        file.require(TIFFWriteDirectory(file.handle()) == 1, "unable to write directory");
    }
    file.close();
}

#define OSTREL_TIFF_WRITING(T)                                                   \
    template void write_greyscale_page<T>(const TiffFile&, const Image<T>&, TiffCompression); \
    template void write_greyscale_tiff<T>(const std::string&, const Image<T>&); \
    template void write_greyscale_tiff_stack<T>(const std::string&, const Image3d<T>&);
OSTREL_TIFF_WRITING(unsigned char)
OSTREL_TIFF_WRITING(unsigned short)
OSTREL_TIFF_WRITING(int)
#undef OSTREL_TIFF_WRITING

}  // namespace ipc
