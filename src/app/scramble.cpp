#include "app/scramble.h"

#include <cstdint>
#include <fstream>
#include <iterator>

#include "util/exception.h"
#include "util/seed.h"

namespace app {

namespace {

// The shifts of the scrambling: draws of the minimal standard generator
// x <- 16807 x mod (2^31 - 1), each mapped to 0..127.
class Shifts {
public:
    explicit Shifts(std::int32_t seed) : generator_(util::minimal_standard_generator(seed)) {}
    int next_shift() { return static_cast<int>((generator_() / 2147483647.0) * 128); }

private:
    std::minstd_rand0 generator_;
};

}  // namespace

std::string unscramble(const std::string& bytes) {
    Shifts generator(kScramblingSeed);
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
    Shifts generator(kScramblingSeed);
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
