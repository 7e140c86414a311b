#include "celltracking/banded_deflate.h"

#include <zlib.h>

#include <algorithm>
#include <future>
#include <memory>

#include "util/exception.h"

namespace isbi {

namespace {

struct Band {
    std::vector<std::uint8_t> data;  // raw deflate blocks
    uLong adler = 1;
    uLong length = 0;  // uncompressed bytes
};

struct DeflateEnd {
    void operator()(z_stream* stream) const { deflateEnd(stream); }
};

Band deflate_band(int first, int last, std::size_t row_bytes, bool final_band,
                  const std::function<void(int, std::vector<std::uint8_t>&)>& row) {
    std::vector<std::uint8_t> input;
    input.reserve(static_cast<std::size_t>(last - first) * row_bytes);
    for (int y = first; y < last; ++y) row(y, input);

    Band band;
    band.length = static_cast<uLong>(input.size());
    band.adler = adler32(1, input.data(), static_cast<uInt>(input.size()));
    z_stream stream{};
    // Window bits -15: raw deflate, no zlib header; the header and the
    // checksum are written once for the whole stream.
    if (deflateInit2(&stream, 1, Z_DEFLATED, -15, 8, Z_HUFFMAN_ONLY) != Z_OK)
        throw util::Exception("unable to start zlib");
    const std::unique_ptr<z_stream, DeflateEnd> end(&stream);
    band.data.resize(deflateBound(&stream, static_cast<uLong>(input.size())) + 16);
    stream.next_in = input.data();
    stream.avail_in = static_cast<uInt>(input.size());
    stream.next_out = band.data.data();
    stream.avail_out = static_cast<uInt>(band.data.size());
    // A sync flush ends with an empty stored block, byte aligned and not
    // final, so the next band's blocks may follow directly.
    const int result = deflate(&stream, final_band ? Z_FINISH : Z_SYNC_FLUSH);
    if (result != (final_band ? Z_STREAM_END : Z_OK) || stream.avail_in != 0)
        throw util::Exception("zlib could not compress the picture");
    band.data.resize(band.data.size() - stream.avail_out);
    return band;
}

}  // namespace

std::vector<std::uint8_t> deflate_in_bands(int rows, std::size_t row_bytes,
                                           const std::function<void(int, std::vector<std::uint8_t>&)>& row,
                                           int bands, int threads) {
    bands = std::clamp(bands, 1, std::max(rows, 1));
    const auto first_row = [&](int b) { return static_cast<int>(static_cast<long long>(rows) * b / bands); };
    std::vector<Band> done(static_cast<std::size_t>(bands));
    std::vector<std::future<void>> running;
    // Bands go round the threads: the calling thread takes every threads-th
    // band from the first, workers the rest.
    const int workers = std::clamp(threads, 1, bands);
    for (int w = 1; w < workers; ++w)
        running.push_back(std::async(std::launch::async, [&, w] {
            for (int b = w; b < bands; b += workers)
                done[static_cast<std::size_t>(b)] = deflate_band(first_row(b), first_row(b + 1), row_bytes, b + 1 == bands, row);
        }));
    std::exception_ptr failure;
    try {
        for (int b = 0; b < bands; b += workers)
            done[static_cast<std::size_t>(b)] = deflate_band(first_row(b), first_row(b + 1), row_bytes, b + 1 == bands, row);
    } catch (...) {
        failure = std::current_exception();
    }
    for (auto& worker : running) {
        try {
            worker.get();
        } catch (...) {
            if (!failure) failure = std::current_exception();
        }
    }
    if (failure) std::rethrow_exception(failure);

    // zlib header: deflate, 32 KB window, fastest level; 0x7801 is a
    // multiple of 31 as the header check requires.
    std::vector<std::uint8_t> stream{0x78, 0x01};
    uLong adler = 1;
    for (const Band& band : done) {
        stream.insert(stream.end(), band.data.begin(), band.data.end());
        // adler(A + B) from adler(A), adler(B) and B's length
        adler = adler32_combine(adler, band.adler, static_cast<z_off_t>(band.length));
    }
    for (int shift = 24; shift >= 0; shift -= 8) stream.push_back(static_cast<std::uint8_t>(adler >> shift));
    return stream;
}

}  // namespace isbi
