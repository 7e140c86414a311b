#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "imaging/tiff_file.h"

struct libdeflate_decompressor;

namespace ipc {

// Decodes one strip of the current directory with libdeflate, straight from
// its compressed bytes into `out` (`bytes` bytes: the strip's rows), and
// undoes horizontal differencing. libtiff reaches the same bytes through its
// codec and predictor layers, which cost more than half again as much as
// the decompression itself on a noisy 16-bit frame.
//
// Returns false, leaving what `out` holds undefined, when the directory or
// the strip is not of the kind handled here (other compressions or
// predictors, samples wider than 16 bits, a byte order other than the
// host's, a strip that does not inflate to exactly `bytes`); the caller then
// decodes the strip through libtiff, which reports any damage.
class DeflateStripDecoder {
public:
    // Looks at the directory's compression, predictor and byte order; the
    // caller has checked that its rows are stored without padding.
    explicit DeflateStripDecoder(const TiffFile& file, unsigned sample_bytes);

    // Decodes `strip` (rows of `row_bytes` bytes, `bytes` in all) into `out`.
    bool decode(std::uint32_t strip, unsigned char* out, std::size_t bytes, std::size_t row_bytes);

private:
    void undo_differencing(unsigned char* out, std::size_t bytes, std::size_t row_bytes) const;

    const TiffFile& file_;
    unsigned sample_bytes_;
    bool differenced_ = false;
    struct DecompressorDeleter {
        void operator()(libdeflate_decompressor* decompressor) const;
    };
    // Null when the directory's strips are not decoded here.
    std::unique_ptr<libdeflate_decompressor, DecompressorDeleter> decompressor_;
    std::vector<unsigned char> raw_;  // one strip's stored bytes; grows, never shrinks
};

}  // namespace ipc
