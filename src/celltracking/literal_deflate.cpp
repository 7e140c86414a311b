#include "celltracking/literal_deflate.h"

#include <libdeflate.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace isbi {

namespace {

constexpr std::size_t kBlockBytes = 128 * 1024;
// The coder stores its 64-bit buffer whole, which puts the first bits first
// only on a little-endian machine; others take the byte-by-byte path.
constexpr bool kLittleEndian = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__;
constexpr int kEndOfBlock = 256;
constexpr int kLiteralSymbols = 257;   // the bytes and the end of a block
constexpr int kDistanceSymbols = 2;    // never used, but a block must describe some
constexpr int kLengthSymbols = 19;     // the alphabet that codes the code lengths
// The order in which a block header lists the code-length code's lengths.
constexpr int kLengthOrder[kLengthSymbols] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

// Deflate's bits go out least significant first; Huffman codes are defined
// most significant bit first, so their bits are stored reversed. Whole
// 32-bit words leave the buffer at once.
class BitWriter {
public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}
    // count <= 16
    void put(std::uint32_t bits, int count) {
        buffer_ |= static_cast<std::uint64_t>(bits) << filled_;
        filled_ += count;
        if (filled_ >= 32) {
            const auto word = static_cast<std::uint32_t>(buffer_);
            for (int k = 0; k < 4; ++k) out_.push_back(static_cast<std::uint8_t>(word >> (8 * k)));
            buffer_ >>= 32;
            filled_ -= 32;
        }
    }
    // Each byte of `data` by its code: the hot loop, with the buffer in
    // registers and room for the longest codes made beforehand. Two codes
    // are joined first (at most 30 bits, apart from the buffer's chain of
    // shifts); then all eight bytes of the buffer are stored and the pointer
    // advances by the whole bytes filled, with no branch. Stored bytes
    // beyond that are overwritten by the next store or cut off at the end.
    void put_coded(const std::uint8_t* data, std::size_t size, const std::uint32_t* codes, const int* lengths) {
        flush_words();
        const std::size_t start = out_.size();
        out_.resize(start + 2 * size + 16);  // at most 15 bits a byte, and a store's slack
        std::uint8_t* next = out_.data() + start;
        std::uint64_t buffer = buffer_;
        int filled = filled_;  // < 8
        std::size_t k = 0;
        if constexpr (kLittleEndian) {
            // Whole bytes leave the buffer after every pair, so at most 7
            // bits wait and 7 + 30 fit in 64.
            for (; k + 2 <= size; k += 2) {
                const std::uint8_t a = data[k], b = data[k + 1];
                const std::uint64_t pair = codes[a] | static_cast<std::uint64_t>(codes[b]) << lengths[a];
                buffer |= pair << filled;
                filled += lengths[a] + lengths[b];
                std::memcpy(next, &buffer, sizeof buffer);
                next += filled >> 3;
                buffer >>= filled & ~7;
                filled &= 7;
            }
        }
        for (; k < size; ++k) {
            buffer |= static_cast<std::uint64_t>(codes[data[k]]) << filled;
            filled += lengths[data[k]];
            for (; filled >= 8; filled -= 8, buffer >>= 8) *next++ = static_cast<std::uint8_t>(buffer);
        }
        out_.resize(static_cast<std::size_t>(next - out_.data()));
        buffer_ = buffer;
        filled_ = filled;
    }
    // Writes what is left, padded to a whole byte with zero bits.
    void flush() {
        for (; filled_ > 0; filled_ -= 8) {
            out_.push_back(static_cast<std::uint8_t>(buffer_));
            buffer_ >>= 8;
        }
        filled_ = 0;
        buffer_ = 0;
    }

private:
    // Writes the buffer's whole bytes, leaving fewer than 8 bits.
    void flush_words() {
        for (; filled_ >= 8; filled_ -= 8) {
            out_.push_back(static_cast<std::uint8_t>(buffer_));
            buffer_ >>= 8;
        }
    }

    std::vector<std::uint8_t>& out_;
    std::uint64_t buffer_ = 0;
    int filled_ = 0;
};

std::uint32_t reversed(std::uint32_t code, int length) {
    std::uint32_t result = 0;
    for (int i = 0; i < length; ++i, code >>= 1) result = (result << 1) | (code & 1);
    return result;
}

// Canonical codes from code lengths (RFC 1951, 3.2.2), bit-reversed for the
// writer.
std::vector<std::uint32_t> canonical_codes(const std::vector<int>& lengths) {
    std::array<std::uint32_t, 17> count{}, next{};
    for (int length : lengths) ++count[length];
    count[0] = 0;
    std::uint32_t code = 0;
    for (int bits = 1; bits <= 16; ++bits) {
        code = (code + count[bits - 1]) << 1;
        next[bits] = code;
    }
    std::vector<std::uint32_t> codes(lengths.size(), 0);
    for (std::size_t s = 0; s < lengths.size(); ++s)
        if (lengths[s] > 0) codes[s] = reversed(next[lengths[s]]++, lengths[s]);
    return codes;
}

// Depths of the leaves of an ordinary Huffman tree, always merging the two
// lightest nodes, ties broken by node number (leaves by symbol, then merged
// nodes in the order made), so that the code is the same on every platform.
// The leaves are sorted once; merged nodes are made in order of weight, so
// the lightest node is always at the front of one of the two queues.
std::vector<int> huffman_depths(const std::vector<std::uint64_t>& frequencies) {
    const int n = static_cast<int>(frequencies.size());
    std::vector<int> leaves;
    for (int s = 0; s < n; ++s)
        if (frequencies[s] > 0) leaves.push_back(s);
    std::sort(leaves.begin(), leaves.end(), [&](int a, int b) {
        return frequencies[a] != frequencies[b] ? frequencies[a] < frequencies[b] : a < b;
    });
    std::vector<int> parent(2 * static_cast<std::size_t>(n), -1);
    std::vector<std::uint64_t> merged_weight;  // of node n + k
    merged_weight.reserve(leaves.size());
    std::size_t next_leaf = 0, next_merged = 0;
    // The lighter front node (a leaf on equal weights: its number is lower).
    const auto take = [&]() {
        const bool leaf = next_leaf < leaves.size() &&
                          (next_merged == merged_weight.size() ||
                           frequencies[leaves[next_leaf]] <= merged_weight[next_merged]);
        if (leaf) {
            const int s = leaves[next_leaf++];
            return std::make_pair(frequencies[s], s);
        }
        const std::size_t k = next_merged++;
        return std::make_pair(merged_weight[k], n + static_cast<int>(k));
    };
    for (std::size_t left = leaves.size(); left > 1; --left) {
        const auto a = take();
        const auto b = take();
        const int node = n + static_cast<int>(merged_weight.size());
        parent[a.second] = parent[b.second] = node;
        merged_weight.push_back(a.first + b.first);
    }
    // A parent's number is above its children's: one pass from the root down.
    std::vector<int> node_depth(parent.size(), 0);
    for (int node = n + static_cast<int>(merged_weight.size()) - 1; node >= 0; --node)
        if (parent[node] >= 0) node_depth[node] = node_depth[parent[node]] + 1;
    std::vector<int> depth(n, 0);
    for (int s = 0; s < n; ++s)
        if (frequencies[s] > 0) depth[s] = node_depth[s];
    return depth;
}

// One dynamic block of literals: header, code lengths, data, end of block.
void write_block(BitWriter& out, const std::uint8_t* data, std::size_t size, bool last) {
    std::vector<std::uint64_t> frequencies(kLiteralSymbols, 0);
    // Four tallies side by side, so that runs of one byte value do not
    // wait on one counter.
    std::array<std::array<std::uint32_t, 256>, 4> tally{};
    std::size_t i = 0;
    for (; i + 4 <= size; i += 4) {
        ++tally[0][data[i]];
        ++tally[1][data[i + 1]];
        ++tally[2][data[i + 2]];
        ++tally[3][data[i + 3]];
    }
    for (; i < size; ++i) ++tally[0][data[i]];
    for (int b = 0; b < 256; ++b) frequencies[b] = std::uint64_t{tally[0][b]} + tally[1][b] + tally[2][b] + tally[3][b];
    frequencies[kEndOfBlock] = 1;
    const std::vector<int> literal_lengths = limited_code_lengths(frequencies, 15);
    const std::vector<std::uint32_t> literal_codes = canonical_codes(literal_lengths);

    // All code lengths (literals, then the two unused distance codes of one
    // bit each), sent as plain code-length symbols 0 to 15.
    std::vector<int> all_lengths(literal_lengths);
    all_lengths.insert(all_lengths.end(), kDistanceSymbols, 1);
    std::vector<std::uint64_t> length_frequencies(kLengthSymbols, 0);
    for (int length : all_lengths) ++length_frequencies[length];
    const std::vector<int> length_lengths = limited_code_lengths(length_frequencies, 7);
    const std::vector<std::uint32_t> length_codes = canonical_codes(length_lengths);

    out.put(last ? 1 : 0, 1);                        // BFINAL
    out.put(2, 2);                                   // BTYPE: dynamic Huffman codes
    out.put(kLiteralSymbols - 257, 5);               // HLIT
    out.put(kDistanceSymbols - 1, 5);                // HDIST
    out.put(kLengthSymbols - 4, 4);                  // HCLEN: all 19 lengths follow
    for (int symbol : kLengthOrder) out.put(static_cast<std::uint32_t>(length_lengths[symbol]), 3);
    for (int length : all_lengths) out.put(length_codes[length], length_lengths[length]);
    out.put_coded(data, size, literal_codes.data(), literal_lengths.data());
    out.put(literal_codes[kEndOfBlock], literal_lengths[kEndOfBlock]);
}

}  // namespace

std::vector<int> limited_code_lengths(const std::vector<std::uint64_t>& frequencies, int limit) {
    std::vector<std::uint64_t> weights(frequencies);
    const auto used = std::count_if(weights.begin(), weights.end(), [](std::uint64_t f) { return f > 0; });
    if (used < 2) {
        // A single symbol still needs a code of one bit, with its pair.
        std::vector<int> lengths(weights.size(), 0);
        for (std::size_t s = 0; s < lengths.size(); ++s) lengths[s] = s < 2 ? 1 : 0;
        if (used == 1) {
            const auto only = std::find_if(weights.begin(), weights.end(), [](std::uint64_t f) { return f > 0; });
            const auto at = static_cast<std::size_t>(only - weights.begin());
            if (at >= 2) {
                lengths[1] = 0;
                lengths[at] = 1;
            }
        }
        return lengths;
    }
    // Flattening the weights (halving, keeping every used symbol at least
    // 1) until the tree is shallow enough: a little longer than the optimal
    // limited code, but only on blocks with very skewed statistics.
    for (;;) {
        std::vector<int> depths = huffman_depths(weights);
        if (*std::max_element(depths.begin(), depths.end()) <= limit) return depths;
        for (std::uint64_t& w : weights)
            if (w > 0) w = std::max<std::uint64_t>(1, w / 2);
    }
}

std::vector<std::uint8_t> zlib_literal_huffman(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> stream;
    // A Huffman code never takes more than 15 bits per byte; headers are a
    // few hundred bytes a block.
    stream.reserve(size + size / 8 + 512 * (size / kBlockBytes + 1));
    stream.push_back(0x78);  // deflate, 32 KiB window
    stream.push_back(0x01);  // no dictionary, fastest; (0x78 * 256 + 0x01) % 31 == 0
    BitWriter out(stream);
    std::size_t at = 0;
    do {
        const std::size_t block = std::min(kBlockBytes, size - at);
        write_block(out, data + at, block, at + block == size);
        at += block;
    } while (at < size);
    out.flush();
    // The Adler-32 of the data (libdeflate's vectorised one: several times
    // faster than zlib's, the same checksum).
    const std::uint32_t check = libdeflate_adler32(1, data, size);
    for (int shift = 24; shift >= 0; shift -= 8) stream.push_back(static_cast<std::uint8_t>(check >> shift));
    return stream;
}

}  // namespace isbi
