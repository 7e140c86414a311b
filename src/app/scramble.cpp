#include "app/scramble.h"

#include <cstdint>
#include <fstream>
#include <iterator>

#include "util/exception.h"

namespace app {

namespace {

// Park-Miller minimal standard: x <- 16807 x mod (2^31 - 1), computed by
// Schrage's method so that nothing overflows 32 bits.
class MinimalStandard {
public:
    explicit MinimalStandard(std::int32_t seed) : x_(seed) {}
    // Next draw mapped to 0..127.
    int next_shift() {
        constexpr std::int32_t a = 16807, m = 2147483647, q = 127773, r = 2836;
        std::int32_t hi = x_ / q, lo = x_ % q;
        x_ = a * lo - r * hi;
        if (x_ < 0) x_ += m;
        return static_cast<int>((x_ / 2147483647.0) * 128);
    }

private:
    std::int32_t x_;
};

}  // namespace

std::string unscramble(const std::string& bytes) {
    MinimalStandard generator(kScramblingSeed);
    std::string text(bytes.size(), '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        int s = static_cast<std::int8_t>(bytes[i]);
        int r = generator.next_shift();
        // Truncating remainder: keeps the sign of the dividend.
        text[i] = static_cast<char>(static_cast<std::int8_t>((s - r + 128) % 128));
    }
    return text;
}

std::string scramble(const std::string& text) {
    MinimalStandard generator(kScramblingSeed);
    std::string bytes(text.size(), '\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        int c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) throw util::Exception("only 7-bit text can be scrambled (byte " + std::to_string(i) + ")");
        int r = generator.next_shift();
        // Inverse of (s - r + 128) % 128 for s in 0..127.
        bytes[i] = static_cast<char>((c + r) % 128);
    }
    return bytes;
}

std::string read_scrambled(const std::string& path) {
    std::ifstream file(path, std::ios::in | std::ios::binary);
    if (!file) throw util::Exception("unable to open file: " + path);
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::size_t stop = bytes.find('\xFF');
    if (stop != std::string::npos) bytes.resize(stop);
    return unscramble(bytes);
}

}  // namespace app
