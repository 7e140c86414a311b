#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace isbi {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
};

// An 8-bit picture whose pixels index a palette of 256 colours, row-major.
struct IndexedPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    IndexedPicture() = default;
    IndexedPicture(int width, int height, std::uint8_t value = 0)
        : width(width), height(height), pixels(static_cast<std::size_t>(width) * height, value) {}
    std::uint8_t& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

using Palette = std::array<Rgb, 256>;

// Writes the picture as a palette PNG through libpng, compressed for speed
// (literal Huffman coding, no row filter): pictures of cells are written
// once per frame. Throws util::Exception naming the file when it cannot be
// written.
void write_indexed_png(const std::string& name, const IndexedPicture& picture, const Palette& palette);

}  // namespace isbi
