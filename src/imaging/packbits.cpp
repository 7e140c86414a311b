#include "imaging/packbits.h"

#include <algorithm>
#include <cstring>

namespace ipc {

namespace {

constexpr std::size_t kLongest = 128;  // bytes one header covers

// Length of the run of bytes equal to row[i] from i on, at most `limit`.
std::size_t run_length(const std::uint8_t* row, std::size_t i, std::size_t n, std::size_t limit) {
    const std::size_t end = std::min(n, i + limit);
    std::size_t j = i + 1;
    if (row[i] == 0) {
        // Zeros eight at a time.
        for (std::uint64_t word; j + 8 <= end; j += 8) {
            std::memcpy(&word, row + j, sizeof word);
            if (word != 0) break;
        }
    }
    while (j < end && row[j] == row[i]) ++j;
    return j - i;
}

void encode_row(const std::uint8_t* row, std::size_t n, std::vector<std::uint8_t>& out) {
    std::size_t i = 0;
    while (i < n) {
        const std::size_t run = run_length(row, i, n, kLongest);
        if (run >= 3) {
            out.push_back(static_cast<std::uint8_t>(257 - run));  // the run's header, -(run - 1)
            out.push_back(row[i]);
            i += run;
            continue;
        }
        // Literal bytes, up to where three equal bytes begin.
        const std::size_t start = i;
        while (i < n && i - start < kLongest) {
            if (i + 2 < n && row[i] == row[i + 1] && row[i] == row[i + 2]) break;
            ++i;
        }
        out.push_back(static_cast<std::uint8_t>(i - start - 1));
        out.insert(out.end(), row + start, row + i);
    }
}

}  // namespace

void packbits_encode(const std::uint8_t* data, std::size_t row_bytes, std::size_t rows,
                     std::vector<std::uint8_t>& out) {
    // Worst case: one header per 128 literal bytes.
    out.reserve(out.size() + rows * (row_bytes + row_bytes / kLongest + 1));
    for (std::size_t r = 0; r < rows; ++r) encode_row(data + r * row_bytes, row_bytes, out);
}

}  // namespace ipc
