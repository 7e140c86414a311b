#pragma once
#include <string>

namespace app {

// Configuration files whose names do not end in "xml" are stored scrambled:
// each byte is shifted by a draw of the Park-Miller minimal-standard
// generator seeded with this constant.
constexpr int kScramblingSeed = 56473829;

// Reads a scrambled file up to the first 0xFF byte (or the end) and returns
// the plain text.
std::string read_scrambled(const std::string& path);

// Undoes and applies the scrambling of a byte sequence.
std::string unscramble(const std::string& bytes);
std::string scramble(const std::string& text);

}  // namespace app
