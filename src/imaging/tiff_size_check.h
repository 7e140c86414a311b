#pragma once
#include <cstdint>

#include "imaging/tiff_file.h"

namespace ipc {

// Limits on what a TIFF directory may declare, checked before any pixel
// buffer is allocated, so that a small damaged or hostile file cannot make
// the run allocate gigabytes:
// - at most kMaxPixelsPerImage pixels per page (16384 x 16384) and at most
//   kMaxVoxelsPerStack voxels in all pages of one file together;
// - the stored strips or tiles must be able to hold the declared pixels:
//   uncompressed, their bytes (as far as they lie inside the file) must
//   cover width x height x bytes per sample; compressed, that size must not
//   exceed what the scheme can expand its stored bytes to (PackBits 64:1,
//   Deflate 1032:1, LZW 2048:1, any other scheme 65536:1). Over all pages of
//   a file, the declared sizes must fit the file's own size by the same
//   ratios, so pages that share their data cannot multiply it.
constexpr std::uint64_t kMaxPixelsPerImage = std::uint64_t{1} << 28;
constexpr std::uint64_t kMaxVoxelsPerStack = std::uint64_t{1} << 30;

class TiffSizeCheck {
public:
    explicit TiffSizeCheck(const TiffFile& file);

    // Checks the current directory, whose size and sample layout have been
    // read, against the limits above; throws util::Exception naming the file
    // and the sizes. bytes_per_sample is 1, 2 or 4.
    void check_page(std::uint32_t width, std::uint32_t height, unsigned bytes_per_sample);

private:
    const TiffFile& file_;
    std::uint64_t file_size_ = 0;
    std::uint64_t voxels_ = 0;
    // Stored bytes the pages checked so far need at least (their declared
    // bytes divided by their scheme's largest expansion).
    double least_stored_bytes_ = 0;
};

}  // namespace ipc
