#include "imaging/tiff_size_check.h"

#include <algorithm>
#include <string>

namespace ipc {

namespace {

// The largest factor by which a compression scheme can expand its stored
// bytes. PackBits: a 2-byte run gives at most 128 bytes. Deflate: 1032:1 is
// the format's limit. LZW: a 9- to 12-bit code stands for at most a few
// thousand bytes; 2048 is above what a whole code table can reach. Other
// schemes (JPEG, ZSTD, LZMA, ...) get a generous bound.
double largest_expansion(std::uint16_t compression) {
    switch (compression) {
        case COMPRESSION_NONE: return 1;
        case COMPRESSION_PACKBITS: return 64;
        case COMPRESSION_DEFLATE:
        case COMPRESSION_ADOBE_DEFLATE: return 1032;
        case COMPRESSION_LZW: return 2048;
        default: return 65536;
    }
}

std::string size_text(std::uint32_t width, std::uint32_t height) {
    return "width = " + std::to_string(width) + ", height = " + std::to_string(height);
}

}  // namespace

TiffSizeCheck::TiffSizeCheck(const TiffFile& file) : file_(file) {
    TIFF* tif = file.handle();
    file_size_ = static_cast<std::uint64_t>(TIFFGetSizeProc(tif)(TIFFClientdata(tif)));
}

void TiffSizeCheck::check_page(std::uint32_t width, std::uint32_t height, unsigned bytes_per_sample) {
    const std::uint64_t pixels = std::uint64_t{width} * height;
    if (pixels == 0) file_.fail("image has no pixels, " + size_text(width, height));
    if (pixels > kMaxPixelsPerImage)
        file_.fail("image too large: " + size_text(width, height) + " is " + std::to_string(pixels) +
                   " pixels, more than the limit of " + std::to_string(kMaxPixelsPerImage) + " per image");
    voxels_ += pixels;
    if (voxels_ > kMaxVoxelsPerStack)
        file_.fail("stack too large: its pages hold more than " + std::to_string(kMaxVoxelsPerStack) +
                   " pixels together");

    TIFF* tif = file_.handle();
    const bool tiled = TIFFIsTiled(tif) != 0;
    const std::uint32_t pieces = tiled ? TIFFNumberOfTiles(tif) : TIFFNumberOfStrips(tif);
    const char* piece_word = tiled ? " tiles" : " strips";
    if (pieces == 0) file_.fail("the directory declares no" + std::string(piece_word));

    // The decoded size the declared layout needs: whole tiles, or one
    // scanline per row.
    const std::uint64_t needed = tiled ? TIFFTileSize64(tif) * pieces
                                       : std::max<std::uint64_t>(TIFFScanlineSize64(tif),
                                                                 std::uint64_t{width} * bytes_per_sample) * height;

    std::uint16_t compression = COMPRESSION_NONE;
    TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &compression);
    // A scheme libtiff cannot decode would fail at the first row, after the
    // pixels were allocated.
    if (!TIFFIsCODECConfigured(compression))
        file_.fail("compression scheme " + std::to_string(compression) + " cannot be decoded");
    const double expansion = largest_expansion(compression);

    const std::string declared = "declared size exceeds the stored data: " + size_text(width, height) +
                                 " needs " + std::to_string(needed) + " bytes, ";
    const std::string scheme = " (compression " + std::to_string(compression) + ")";
    // The whole file bounds the stored data; this needs no pass over the
    // strips, whose number a damaged directory may make huge.
    least_stored_bytes_ += static_cast<double>(needed) / expansion;
    if (least_stored_bytes_ > static_cast<double>(file_size_))
        file_.fail(declared + "more than the whole file of " + std::to_string(file_size_) + " bytes can hold" +
                   scheme);

    // Stored bytes, counting only what lies inside the file; the sum stops
    // as soon as it is known to be enough.
    std::uint64_t stored = 0;
    for (std::uint32_t piece = 0; piece < pieces && static_cast<double>(stored) * expansion < static_cast<double>(needed);
         ++piece) {
        int error = 0;
        const std::uint64_t offset = TIFFGetStrileOffsetWithErr(tif, piece, &error);
        const std::uint64_t count = TIFFGetStrileByteCountWithErr(tif, piece, &error);
        if (error) file_.fail("unable to read the offsets and byte counts of the" + std::string(piece_word));
        if (offset < file_size_) stored += std::min(count, file_size_ - offset);
    }

    if (static_cast<double>(stored) * expansion < static_cast<double>(needed))
        file_.fail(declared + "the file stores " + std::to_string(stored) + " bytes in " + std::to_string(pieces) +
                   std::string(piece_word) + scheme);
}

}  // namespace ipc
