#include "imaging/tiff_greyscale_file.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "util/exception.h"

namespace ipc {

namespace {

// TIFFGetFieldDefaulted for a one-value uint16 tag.
bool get_uint16(const TiffFile& file, ttag_t tag, std::uint16_t& value) {
    return TIFFGetFieldDefaulted(file.handle(), tag, &value) == 1;
}

bool get_uint32(const TiffFile& file, ttag_t tag, std::uint32_t& value) {
    return TIFFGetFieldDefaulted(file.handle(), tag, &value) == 1;
}

// Checks the directory's layout against what the scanline copy expects and
// returns its size.
void check_layout(const TiffFile& file, int depth, std::uint32_t& width, std::uint32_t& height) {
    std::uint16_t photometric = 0;
    file.require(get_uint16(file, TIFFTAG_PHOTOMETRIC, photometric), "unable to read photometric");
    if (photometric != PHOTOMETRIC_MINISBLACK)
        file.fail("image is not greyscale in TiffGreyScaleFile::read");

    std::uint16_t bits = 0;
    file.require(get_uint16(file, TIFFTAG_BITSPERSAMPLE, bits), "unable to read bits per sample");
    if (bits != depth) file.fail("bits_per_sample is not " + std::to_string(depth));

    std::uint16_t samples = 0;
    file.require(get_uint16(file, TIFFTAG_SAMPLESPERPIXEL, samples),
                 "unable to read samples per pixel");
    if (samples != 1)
        file.fail("samples_per_pixel is not 1, samples_per_pixel = " + std::to_string(samples));

    std::uint16_t format = 0;
    file.require(get_uint16(file, TIFFTAG_SAMPLEFORMAT, format), "unable to read sample format");
    if (format != SAMPLEFORMAT_UINT)
        file.fail("sample format is not unsigned integer, sample_format = " +
                  std::to_string(format));

    std::uint16_t planar = 0;
    file.require(get_uint16(file, TIFFTAG_PLANARCONFIG, planar), "unable to read planar config");
    if (planar != PLANARCONFIG_CONTIG) file.fail("planar config is not contig");

    std::uint16_t fill_order = 0;
    file.require(get_uint16(file, TIFFTAG_FILLORDER, fill_order), "unable to read fill order");
    if (fill_order != FILLORDER_MSB2LSB) file.fail("fill order is not msb2lsb");

    file.require(get_uint32(file, TIFFTAG_IMAGEWIDTH, width), "unable to read width");
    file.require(get_uint32(file, TIFFTAG_IMAGELENGTH, height), "unable to read height");
    const std::uint32_t limit = 0x7fffffff;
    if (width > limit || height > limit)
        file.fail("image too large: width = " + std::to_string(width) +
                  ", height = " + std::to_string(height));
}

// Reads every scanline of the current directory; Sample is the stored pixel
// type, converted unchanged to 16 bits.
template <class Sample>
void read_scanlines(const TiffFile& file, Image<unsigned short>& image) {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    check_layout(file, 8 * sizeof(Sample), width, height);
    image.resize(static_cast<int>(width), static_cast<int>(height));

    tmsize_t scanline = TIFFScanlineSize(file.handle());
    file.require(scanline > 0, "unable to determine the scanline size");
    if (static_cast<std::uint64_t>(scanline) < std::uint64_t{width} * sizeof(Sample))
        file.fail("scanline shorter than the image width, scanline size = " +
                  std::to_string(scanline));
    TiffBuffer buffer(static_cast<std::size_t>(scanline));
    file.require(buffer.valid(), "unable to allocate a scanline buffer");

    for (std::uint32_t y = 0; y < height; ++y) {
        file.require(TIFFReadScanline(file.handle(), buffer.data(), y, 0) == 1,
                     "unable to read scanline " + std::to_string(y));
        unsigned short* row = image.row(static_cast<int>(y));
        if constexpr (sizeof(Sample) == sizeof(unsigned short)) {
            std::memcpy(row, buffer.data(), std::size_t{width} * sizeof(Sample));
        } else {
            const auto* samples = static_cast<const Sample*>(buffer.data());
            for (std::uint32_t x = 0; x < width; ++x) row[x] = samples[x];
        }
    }
}

}  // namespace

void TiffGreyScaleFile::read(const TiffFile& file, Image<unsigned short>& image) {
    std::uint16_t bits = 0;
    file.require(get_uint16(file, TIFFTAG_BITSPERSAMPLE, bits), "unable to read bits per sample");
    if (bits == 16)
        read_scanlines<std::uint16_t>(file, image);
    else if (bits == 8)
        read_scanlines<std::uint8_t>(file, image);
    else
        file.fail("bits_per_sample is not 16");
}

}  // namespace ipc
