#include "imaging/tiff_greyscale_file.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>

#include "imaging/tiff_deflate_strips.h"
#include "util/exception.h"

namespace ipc {

namespace {

// How the samples of a directory are stored.
enum class SampleKind { unsigned8, signed8, unsigned16, signed16, float32 };

unsigned bytes_per_sample(SampleKind kind) {
    switch (kind) {
        case SampleKind::unsigned8:
        case SampleKind::signed8: return 1;
        case SampleKind::unsigned16:
        case SampleKind::signed16: return 2;
        case SampleKind::float32: return 4;
    }
    return 0;
}

// TIFFGetFieldDefaulted for a one-value uint16 tag.
bool get_uint16(const TiffFile& file, ttag_t tag, std::uint16_t& value) {
    return TIFFGetFieldDefaulted(file.handle(), tag, &value) == 1;
}

bool get_uint32(const TiffFile& file, ttag_t tag, std::uint32_t& value) {
    return TIFFGetFieldDefaulted(file.handle(), tag, &value) == 1;
}

std::string sample_name(std::uint16_t bits, std::uint16_t format) {
    const std::string size = std::to_string(bits) + "-bit ";
    switch (format) {
        case SAMPLEFORMAT_UINT: return size + "unsigned integer";
        case SAMPLEFORMAT_INT: return size + "signed integer";
        case SAMPLEFORMAT_IEEEFP: return size + "float";
        default: return size + "sample format " + std::to_string(format);
    }
}

SampleKind sample_kind(const TiffFile& file) {
    std::uint16_t bits = 0;
    file.require(get_uint16(file, TIFFTAG_BITSPERSAMPLE, bits), "unable to read bits per sample");
    if (bits != 8 && bits != 16 && bits != 32)
        file.fail("bits_per_sample is not 8, 16 or 32, bits_per_sample = " + std::to_string(bits));
    std::uint16_t format = 0;
    file.require(get_uint16(file, TIFFTAG_SAMPLEFORMAT, format), "unable to read sample format");
    if (bits == 8 && format == SAMPLEFORMAT_UINT) return SampleKind::unsigned8;
    if (bits == 8 && format == SAMPLEFORMAT_INT) return SampleKind::signed8;
    if (bits == 16 && format == SAMPLEFORMAT_UINT) return SampleKind::unsigned16;
    if (bits == 16 && format == SAMPLEFORMAT_INT) return SampleKind::signed16;
    if (bits == 32 && format == SAMPLEFORMAT_IEEEFP) return SampleKind::float32;
    file.fail("unreadable sample type " + sample_name(bits, format) +
              " (readable: 8- or 16-bit integers, 32-bit floats)");
}

// Checks the directory's layout against what the copy below expects and
// returns its size and sample kind.
SampleKind check_layout(const TiffFile& file, std::uint32_t& width, std::uint32_t& height) {
    std::uint16_t photometric = 0;
    file.require(get_uint16(file, TIFFTAG_PHOTOMETRIC, photometric), "unable to read photometric");
    if (photometric != PHOTOMETRIC_MINISBLACK)
        file.fail("image is not greyscale in TiffGreyScaleFile::read");

    const SampleKind kind = sample_kind(file);

    std::uint16_t samples = 0;
    file.require(get_uint16(file, TIFFTAG_SAMPLESPERPIXEL, samples),
                 "unable to read samples per pixel");
    if (samples != 1)
        file.fail("samples_per_pixel is not 1, samples_per_pixel = " + std::to_string(samples));

    std::uint16_t planar = 0;
    file.require(get_uint16(file, TIFFTAG_PLANARCONFIG, planar), "unable to read planar config");
    if (planar != PLANARCONFIG_CONTIG) file.fail("planar config is not contig");

    std::uint16_t fill_order = 0;
    file.require(get_uint16(file, TIFFTAG_FILLORDER, fill_order), "unable to read fill order");
    if (fill_order != FILLORDER_MSB2LSB) file.fail("fill order is not msb2lsb");

    file.require(get_uint32(file, TIFFTAG_IMAGEWIDTH, width), "unable to read width");
    file.require(get_uint32(file, TIFFTAG_IMAGELENGTH, height), "unable to read height");
    return kind;
}

// Decodes the directory's samples, row-major, into `plane` (width x height
// samples of `sample_bytes` bytes each), from strips or from tiles.
void decode(const TiffFile& file, std::uint32_t width, std::uint32_t height, unsigned sample_bytes,
            unsigned char* plane) {
    TIFF* tif = file.handle();
    const std::size_t row_bytes = std::size_t{width} * sample_bytes;
    if (TIFFIsTiled(tif)) {
        std::uint32_t tile_width = 0;
        std::uint32_t tile_height = 0;
        file.require(get_uint32(file, TIFFTAG_TILEWIDTH, tile_width) &&
                         get_uint32(file, TIFFTAG_TILELENGTH, tile_height) && tile_width > 0 && tile_height > 0,
                     "unable to read the tile size");
        const tmsize_t tile_size = TIFFTileSize(tif);
        if (tile_size <= 0 || static_cast<std::uint64_t>(tile_size) <
                                  std::uint64_t{tile_width} * tile_height * sample_bytes)
            file.fail("tile size does not match the tile width and height, tile size = " +
                      std::to_string(tile_size));
        TiffBuffer buffer(static_cast<std::size_t>(tile_size));
        file.require(buffer.valid(), "unable to allocate a tile buffer");
        const auto* tile = static_cast<const unsigned char*>(buffer.data());
        for (std::uint32_t y0 = 0; y0 < height; y0 += tile_height) {
            for (std::uint32_t x0 = 0; x0 < width; x0 += tile_width) {
                file.require(TIFFReadTile(tif, buffer.data(), x0, y0, 0, 0) >= 0,
                             "unable to read the tile at x = " + std::to_string(x0) + ", y = " + std::to_string(y0));
                const std::uint32_t rows = std::min(tile_height, height - y0);
                const std::size_t bytes = std::size_t{std::min(tile_width, width - x0)} * sample_bytes;
                for (std::uint32_t r = 0; r < rows; ++r)
                    std::memcpy(plane + (y0 + r) * row_bytes + std::size_t{x0} * sample_bytes,
                                tile + std::size_t{r} * tile_width * sample_bytes, bytes);
            }
        }
        return;
    }
    const tmsize_t scanline = TIFFScanlineSize(tif);
    file.require(scanline > 0, "unable to determine the scanline size");
    if (static_cast<std::uint64_t>(scanline) < row_bytes)
        file.fail("scanline shorter than the image width, scanline size = " + std::to_string(scanline));
    std::uint32_t rows_per_strip = 0;
    if (static_cast<std::uint64_t>(scanline) == row_bytes && get_uint32(file, TIFFTAG_ROWSPERSTRIP, rows_per_strip) &&
        rows_per_strip > 0) {
        // Rows as stored, a whole strip at a time straight into the plane:
        // libtiff then decodes each compressed strip in one call (for
        // Deflate about twice as fast as row by row).
        // Deflate strips are inflated here directly when they can be.
        const tstrip_t strips = TIFFNumberOfStrips(tif);
        DeflateStripDecoder deflate(file, sample_bytes);
        for (std::uint32_t y0 = 0; y0 < height; y0 += rows_per_strip) {
            const tstrip_t strip = TIFFComputeStrip(tif, y0, 0);
            const std::uint32_t rows = std::min(rows_per_strip, height - y0);
            const auto bytes = static_cast<tmsize_t>(std::size_t{rows} * row_bytes);
            unsigned char* rows_start = plane + std::size_t{y0} * row_bytes;
            if (strip < strips && deflate.decode(strip, rows_start, static_cast<std::size_t>(bytes), row_bytes))
                continue;
            file.require(strip < strips && TIFFReadEncodedStrip(tif, strip, rows_start, bytes) == bytes,
                         "unable to read the strip of rows " + std::to_string(y0) + " to " +
                             std::to_string(y0 + rows - 1));
        }
        return;
    }
    TiffBuffer buffer(static_cast<std::size_t>(scanline));
    file.require(buffer.valid(), "unable to allocate a scanline buffer");
    for (std::uint32_t y = 0; y < height; ++y) {
        file.require(TIFFReadScanline(tif, buffer.data(), y, 0) == 1, "unable to read scanline " + std::to_string(y));
        std::memcpy(plane + std::size_t{y} * row_bytes, buffer.data(), row_bytes);
    }
}

// Integer samples of type Sample become 16-bit pixels: unsigned ones as
// they are, signed ones shifted by half their range (p + 128, p + 32768).
template <class Sample>
void widen(const std::vector<Sample>& samples, Image<unsigned short>& image) {
    constexpr int offset = std::is_signed_v<Sample> ? 1 << (8 * sizeof(Sample) - 1) : 0;
    unsigned short* out = image.data();
    for (std::size_t i = 0; i < samples.size(); ++i) out[i] = static_cast<unsigned short>(samples[i] + offset);
}

}  // namespace

TiffPage TiffGreyScaleFile::read_page(const TiffFile& file, TiffSizeCheck& check) {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    const SampleKind kind = check_layout(file, width, height);
    const unsigned sample_bytes = bytes_per_sample(kind);
    check.check_page(width, height, sample_bytes);

    TiffPage page;
    page.width = static_cast<int>(width);
    page.height = static_cast<int>(height);
    const std::size_t count = std::size_t{width} * height;
    switch (kind) {
        case SampleKind::unsigned16:
            // Decoding writes every pixel (or fails).
            page.pixels.resize_for_overwrite(page.width, page.height);
            decode(file, width, height, 2, reinterpret_cast<unsigned char*>(page.pixels.data()));
            break;
        case SampleKind::signed16: {
            // p + 32768 is p with its sign bit flipped.
            page.pixels.resize_for_overwrite(page.width, page.height);
            decode(file, width, height, 2, reinterpret_cast<unsigned char*>(page.pixels.data()));
            for (unsigned short& p : page.pixels) p ^= 0x8000u;
            break;
        }
        case SampleKind::unsigned8: {
            std::vector<std::uint8_t> samples(count);
            decode(file, width, height, 1, samples.data());
            page.pixels.resize(page.width, page.height);
            widen(samples, page.pixels);
            break;
        }
        case SampleKind::signed8: {
            std::vector<std::int8_t> samples(count);
            decode(file, width, height, 1, reinterpret_cast<unsigned char*>(samples.data()));
            page.pixels.resize(page.width, page.height);
            widen(samples, page.pixels);
            break;
        }
        case SampleKind::float32:
            page.floats.resize(count);
            decode(file, width, height, 4, reinterpret_cast<unsigned char*>(page.floats.data()));
            break;
    }
    return page;
}

void TiffGreyScaleFile::convert_floats(std::vector<TiffPage*> pages) {
    FloatToShortScaling scaling;
    for (const TiffPage* page : pages)
        if (page->is_float()) scaling.observe(page->floats.data(), page->floats.size());
    for (TiffPage* page : pages) {
        if (!page->is_float()) continue;
        page->pixels.resize(page->width, page->height);
        scaling.convert(page->floats.data(), page->floats.size(), page->pixels.data());
        std::vector<float>().swap(page->floats);
    }
}

void TiffGreyScaleFile::read(const TiffFile& file, Image<unsigned short>& image) {
    TiffSizeCheck check(file);
    TiffPage page = read_page(file, check);
    convert_floats({&page});
    image = std::move(page.pixels);
}

}  // namespace ipc
