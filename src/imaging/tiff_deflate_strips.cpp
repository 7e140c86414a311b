#include "imaging/tiff_deflate_strips.h"

#include <libdeflate.h>

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace ipc {

namespace {

bool is_host_order(const TiffFile& file) { return TIFFIsByteSwapped(file.handle()) == 0; }

}  // namespace

DeflateStripDecoder::DeflateStripDecoder(const TiffFile& file, unsigned sample_bytes)
    : file_(file), sample_bytes_(sample_bytes) {
    TIFF* tif = file.handle();
    std::uint16_t compression = 0;
    std::uint16_t predictor = PREDICTOR_NONE;
    if (TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &compression) != 1) return;
    if (compression != COMPRESSION_ADOBE_DEFLATE && compression != COMPRESSION_DEFLATE) return;
    // The predictor tag is the codec's: only asked once the codec is known.
    if (TIFFGetFieldDefaulted(tif, TIFFTAG_PREDICTOR, &predictor) != 1) return;
    if (predictor != PREDICTOR_NONE && predictor != PREDICTOR_HORIZONTAL) return;
    if (sample_bytes != 1 && sample_bytes != 2) return;
    if (sample_bytes == 2 && !is_host_order(file)) return;
    differenced_ = predictor == PREDICTOR_HORIZONTAL;
    decompressor_.reset(libdeflate_alloc_decompressor());
}

void DeflateStripDecoder::DecompressorDeleter::operator()(libdeflate_decompressor* decompressor) const {
    libdeflate_free_decompressor(decompressor);
}

bool DeflateStripDecoder::decode(std::uint32_t strip, unsigned char* out, std::size_t bytes,
                                 std::size_t row_bytes) {
    if (!decompressor_) return false;
    TIFF* tif = file_.handle();
    const std::uint64_t stored = TIFFGetStrileByteCount(tif, strip);
    // Deflate grows incompressible data by a few bytes per 64 KiB block: a
    // count far beyond the strip's size is damage, left to libtiff's checks
    // rather than allocated.
    if (stored == 0 || stored > bytes + bytes / 8 + 4096) return false;
    if (stored > raw_.size()) raw_.resize(stored);
    const auto size = static_cast<tmsize_t>(stored);
    if (TIFFReadRawStrip(tif, strip, raw_.data(), size) != size) return false;
    // A null count asks for exactly `bytes`: shorter or longer is a failure.
    if (libdeflate_zlib_decompress(decompressor_.get(), raw_.data(), stored, out, bytes, nullptr) !=
        LIBDEFLATE_SUCCESS)
        return false;
    if (differenced_) undo_differencing(out, bytes, row_bytes);
    return true;
}

// Each stored sample after a row's first is its difference from the one
// before it, modulo the sample size: p[x] = p[x - 1] + d[x].
void DeflateStripDecoder::undo_differencing(unsigned char* out, std::size_t bytes, std::size_t row_bytes) const {
    for (std::size_t start = 0; start + row_bytes <= bytes; start += row_bytes) {
        unsigned char* row = out + start;
        if (sample_bytes_ == 1) {
            unsigned char sum = row[0];
            for (std::size_t x = 1; x < row_bytes; ++x) row[x] = sum = static_cast<unsigned char>(sum + row[x]);
        } else {
            const std::size_t samples = row_bytes / 2;
            std::uint16_t sum;
            std::memcpy(&sum, row, 2);
            std::size_t x = 1;
#if defined(__SSE2__)
            // Eight samples at a time: their running sums by three shifted
            // additions (1, 2 and 4 samples over), plus the sum before them.
            __m128i carry = _mm_set1_epi16(static_cast<short>(sum));
            for (; x + 8 <= samples; x += 8) {
                auto* at = reinterpret_cast<__m128i*>(row + 2 * x);
                __m128i v = _mm_loadu_si128(at);
                v = _mm_add_epi16(v, _mm_slli_si128(v, 2));
                v = _mm_add_epi16(v, _mm_slli_si128(v, 4));
                v = _mm_add_epi16(v, _mm_slli_si128(v, 8));
                v = _mm_add_epi16(v, carry);
                _mm_storeu_si128(at, v);
                // The last sum in every lane: lanes 4-7 twice, then lane 7 of each half.
                carry = _mm_shufflehi_epi16(_mm_shufflelo_epi16(_mm_unpackhi_epi64(v, v), 0xff), 0xff);
            }
            sum = static_cast<std::uint16_t>(_mm_extract_epi16(carry, 0));
#endif
            for (; x < samples; ++x) {
                std::uint16_t difference;
                std::memcpy(&difference, row + 2 * x, 2);
                sum = static_cast<std::uint16_t>(sum + difference);
                std::memcpy(row + 2 * x, &sum, 2);
            }
        }
    }
}

}  // namespace ipc
