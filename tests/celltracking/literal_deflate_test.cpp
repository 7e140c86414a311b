#include "celltracking/literal_deflate.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

std::vector<std::uint8_t> inflated(const std::vector<std::uint8_t>& stream, std::size_t expected_size) {
    std::vector<std::uint8_t> out(expected_size + 1);
    uLongf size = static_cast<uLongf>(out.size());
    const int result = uncompress(out.data(), &size, stream.data(), static_cast<uLong>(stream.size()));
    EXPECT_EQ(result, Z_OK);
    out.resize(size);
    return out;
}

struct Case {
    std::string name;
    std::vector<std::uint8_t> data;
};

std::vector<Case> cases() {
    std::mt19937 engine(7);
    std::vector<Case> list;
    list.push_back({"empty", {}});
    list.push_back({"one byte value", std::vector<std::uint8_t>(1000, 42)});
    // Uniform bytes over several blocks, with a short last block.
    std::vector<std::uint8_t> uniform(300 * 1024 + 17);
    for (auto& b : uniform) b = static_cast<std::uint8_t>(engine() & 0xff);
    list.push_back({"uniform bytes", uniform});
    // A noisy grey picture: what the overlay writer compresses.
    std::normal_distribution<double> noise(100.0, 6.0);
    std::vector<std::uint8_t> grey(256 * 1024);
    for (auto& b : grey) b = static_cast<std::uint8_t>(std::lround(std::clamp(noise(engine), 0.0, 255.0)));
    list.push_back({"noisy grey", grey});
    // Fibonacci counts: an unlimited Huffman code would need 24 bits.
    std::vector<std::uint8_t> skewed;
    std::uint32_t a = 1, b = 1;
    for (int symbol = 0; symbol < 25; ++symbol) {
        skewed.insert(skewed.end(), a, static_cast<std::uint8_t>(symbol));
        const std::uint32_t next = a + b;
        a = b;
        b = next;
    }
    list.push_back({"skewed counts", skewed});
    return list;
}

TEST(LiteralDeflate, StreamsInflateToTheInputWithZlib) {
    for (const Case& c : cases()) {
        const std::vector<std::uint8_t> stream = isbi::zlib_literal_huffman(c.data.data(), c.data.size());
        EXPECT_EQ(inflated(stream, c.data.size()), c.data) << c.name;
    }
}

TEST(LiteralDeflate, CompressesNoiseCloseToItsEntropy) {
    for (const Case& c : cases()) {
        if (c.name != "noisy grey" && c.name != "uniform bytes") continue;
        double bits = 0;
        std::vector<double> count(256, 0);
        for (std::uint8_t b : c.data) ++count[b];
        for (double n : count)
            if (n > 0) bits -= n * std::log2(n / static_cast<double>(c.data.size()));
        const double entropy_bytes = bits / 8;
        const auto size = static_cast<double>(isbi::zlib_literal_huffman(c.data.data(), c.data.size()).size());
        EXPECT_LT(size, 1.02 * entropy_bytes + 1024) << c.name;
    }
}

TEST(LiteralDeflate, CodeLengthsStayWithinTheLimitAndFormACompleteCode) {
    std::vector<std::uint64_t> fibonacci(30);
    fibonacci[0] = fibonacci[1] = 1;
    for (std::size_t k = 2; k < fibonacci.size(); ++k) fibonacci[k] = fibonacci[k - 1] + fibonacci[k - 2];
    const std::vector<std::vector<std::uint64_t>> tables = {fibonacci, {0, 0, 5, 0}, {0, 0, 0}, {3, 3, 3}};
    for (const auto& frequencies : tables) {
        const std::vector<int> lengths = isbi::limited_code_lengths(frequencies, 7);
        double kraft = 0;
        for (std::size_t s = 0; s < lengths.size(); ++s) {
            EXPECT_LE(lengths[s], 7);
            if (frequencies[s] > 0) {
                EXPECT_GT(lengths[s], 0) << s;
            }
            if (lengths[s] > 0) kraft += std::ldexp(1.0, -lengths[s]);
        }
        EXPECT_DOUBLE_EQ(kraft, 1.0);  // decoders refuse an incomplete code
    }
}

}  // namespace
