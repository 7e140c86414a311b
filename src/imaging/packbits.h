#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace ipc {

// Appends `rows` rows of `row_bytes` bytes each, PackBits-coded row by row
// (as TIFF asks: no code spans two rows), to `out`. A header byte h is
// followed by h + 1 literal bytes when h <= 127, or by one byte repeated
// 257 - h times when h >= 129. Runs of three or more equal bytes are
// repeated; long zero runs, most of a label mask, are found eight bytes at
// a time, which makes this several times faster than a byte-by-byte coder.
void packbits_encode(const std::uint8_t* data, std::size_t row_bytes, std::size_t rows,
                     std::vector<std::uint8_t>& out);

}  // namespace ipc
