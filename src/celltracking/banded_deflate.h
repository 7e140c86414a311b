#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace isbi {

// Compresses rows of bytes into one zlib stream, cut into a fixed number of
// bands of rows that are deflated independently (Huffman coding only, no
// back references, so no band needs another's data) and may therefore be
// compressed at the same time. Each band but the last ends on a byte
// boundary with a sync flush; the stream's Adler-32 is combined from the
// bands'. The bytes depend on the rows and the band count only, never on how
// many threads did the work.
//
// `row(y, out)` appends row y's bytes to out; it is called once per row, from
// the thread that compresses the row's band.
std::vector<std::uint8_t> deflate_in_bands(int rows, std::size_t row_bytes,
                                           const std::function<void(int, std::vector<std::uint8_t>&)>& row,
                                           int bands, int threads);

}  // namespace isbi
