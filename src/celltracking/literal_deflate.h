#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace isbi {

// Compresses `size` bytes into one zlib stream (RFC 1950/1951) made of
// dynamic Huffman blocks that hold literals only, one block per 128 KiB of
// input, each with codes fitted to its own bytes.
//
// Why not a general compressor: an overlay picture is mostly camera noise,
// where back-references are rare and short. On a 1024 x 1024 picture
// libdeflate's fastest level took about 11 ms searching for them and zlib's
// Huffman-only mode 17 ms tallying symbols one at a time, and both came out
// within 3% of the size of literal coding, which takes a table lookup per
// byte (about 3 ms with the file written).
std::vector<std::uint8_t> zlib_literal_huffman(const std::uint8_t* data, std::size_t size);

// Code lengths of a Huffman code for `frequencies`, none longer than
// `limit` bits; a symbol of frequency 0 gets length 0. When fewer than two
// symbols occur, the first two symbols get length 1 (a complete code, as
// decoders require).
std::vector<int> limited_code_lengths(const std::vector<std::uint64_t>& frequencies, int limit);

}  // namespace isbi
