#include "celltracking/overlay_picture.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "imaging/grey_level_clustering.h"
#include "util/exception.h"

namespace isbi {

namespace {

// Digits 0-9 of a 3 x 5 pixel font, one row of three bits per entry, the
// leftmost pixel in the highest bit.
constexpr std::uint8_t digit_rows[10][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 1, 1}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
};
constexpr int digit_width = 3, digit_height = 5, digit_gap = 1;

Rgb from_hue(double hue, double value) {
    // HSV with full saturation: the six sectors of the colour wheel.
    const double h = 6.0 * (hue - std::floor(hue));
    const int sector = static_cast<int>(h) % 6;
    const double f = h - std::floor(h);
    const auto byte = [&](double v) { return static_cast<std::uint8_t>(std::lround(255.0 * value * v)); };
    const double up = f, down = 1.0 - f;
    switch (sector) {
        case 0: return {byte(1), byte(up), byte(0)};
        case 1: return {byte(down), byte(1), byte(0)};
        case 2: return {byte(0), byte(1), byte(up)};
        case 3: return {byte(0), byte(down), byte(1)};
        case 4: return {byte(up), byte(0), byte(1)};
        default: return {byte(1), byte(0), byte(down)};
    }
}

Palette make_palette() {
    Palette palette{};
    for (int i = 0; i < OverlayColours::greys; ++i) {
        const auto v = static_cast<std::uint8_t>(std::lround(255.0 * i / (OverlayColours::greys - 1)));
        palette[static_cast<std::size_t>(i)] = {v, v, v};
    }
    // Successive colours step round the wheel by the golden angle, in two
    // brightnesses, so that nearby labels differ.
    for (int k = 0; k < OverlayColours::label_colours; ++k)
        palette[static_cast<std::size_t>(OverlayColours::greys + k)] =
            from_hue(0.618033988749895 * k, k % 2 ? 0.8 : 1.0);
    palette[OverlayColours::white] = {255, 255, 255};
    palette[OverlayColours::black] = {0, 0, 0};
    return palette;
}

// The grey value of each 16-bit value, stretched between two percentiles.
std::vector<std::uint8_t> grey_levels(const ipc::Image<unsigned short>& image) {
    ipc::GreyHistogram counts;
    counts.add(image.begin(), image.end());
    const std::vector<std::uint64_t>& histogram = counts.bins();
    const std::size_t n = image.size();
    const auto percentile = [&](double p) {
        const auto rank = static_cast<std::size_t>(p * static_cast<double>(n - 1));
        std::uint64_t seen = 0;
        for (std::size_t v = 0; v < histogram.size(); ++v)
            if ((seen += histogram[v]) > rank) return static_cast<double>(v);
        return 65535.0;
    };
    const double low = percentile(0.005), high = std::max(percentile(0.995), low + 1);
    // Values at or below low are black, at or above high white; only those
    // between need the division.
    std::vector<std::uint8_t> levels(65536, 0);
    const auto first = static_cast<std::size_t>(low) + 1, last = static_cast<std::size_t>(high);
    for (std::size_t v = first; v < last; ++v) {
        // g = (v - low) / (high - low), in (0, 1), on the grey ramp
        const double g = (static_cast<double>(v) - low) / (high - low);
        levels[v] = static_cast<std::uint8_t>(std::lround(g * (OverlayColours::greys - 1)));
    }
    std::fill(levels.begin() + static_cast<std::ptrdiff_t>(last), levels.end(),
              static_cast<std::uint8_t>(OverlayColours::greys - 1));
    return levels;
}

// Extent and centre of a label in the mask.
struct Extent {
    double sum_y = 0;
    std::size_t n = 0;
    int min_x = 0, max_x = 0;
};

// Writes the number beside the label: right of its extent at the height of
// its centre, or left of it where the right runs out of the picture.
void draw_number(IndexedPicture& picture, const Extent& extent, std::int32_t number, int scale) {
    const std::string text = std::to_string(number);
    const int width = (static_cast<int>(text.size()) * (digit_width + digit_gap) - digit_gap) * scale;
    int left = extent.max_x + 2 * scale;
    if (left + width > picture.width) left = extent.min_x - 2 * scale - width;
    const int top = static_cast<int>(std::lround(extent.sum_y / static_cast<double>(extent.n))) - digit_height * scale / 2;
    const auto lit = [&](int x, int y) {  // whether a pixel of the text's box belongs to a digit
        const int column = x / scale, row = y / scale;
        const int cell = column / (digit_width + digit_gap), bit = column % (digit_width + digit_gap);
        if (x < 0 || y < 0 || row >= digit_height || cell >= static_cast<int>(text.size()) || bit >= digit_width)
            return false;
        return (digit_rows[text[static_cast<std::size_t>(cell)] - '0'][row] >> (digit_width - 1 - bit) & 1) != 0;
    };
    // The strokes in a bitmap with a margin of two cells, so that the
    // border test below reads it without bounds checks.
    const int box_width = width + 4, box_height = digit_height * scale + 4;
    std::vector<std::uint8_t> strokes(static_cast<std::size_t>(box_width) * box_height, 0);
    for (int y = 0; y < digit_height * scale; ++y)
        for (int x = 0; x < width; ++x) strokes[static_cast<std::size_t>(y + 2) * box_width + x + 2] = lit(x, y);
    const auto stroke = [&](int x, int y) { return strokes[static_cast<std::size_t>(y + 2) * box_width + x + 2] != 0; };
    // A black border one pixel wide round the white strokes.
    for (int pass = 0; pass < 2; ++pass)
        for (int y = -1; y <= digit_height * scale; ++y)
            for (int x = -1; x <= width; ++x) {
                const int px = left + x, py = top + y;
                if (px < 0 || py < 0 || px >= picture.width || py >= picture.height) continue;
                if (pass == 1) {
                    if (stroke(x, y)) picture.at(px, py) = OverlayColours::white;
                    continue;
                }
                bool near = false;
                for (int dy = -1; dy <= 1 && !near; ++dy)
                    for (int dx = -1; dx <= 1 && !near; ++dx) near = stroke(x + dx, y + dy);
                if (near) picture.at(px, py) = OverlayColours::black;
            }
}

}  // namespace

const Palette& OverlayColours::palette() {
    static const Palette colours = make_palette();
    return colours;
}

std::uint8_t OverlayColours::of_label(std::int32_t label) {
    return static_cast<std::uint8_t>(greys + (label > 0 ? label - 1 : 0) % label_colours);
}

Rgb OverlayColours::rgb_of_label(std::int32_t label) { return palette()[of_label(label)]; }

IndexedPicture render_overlay(const ipc::Image<unsigned short>* image, const Mask& labels) {
    const int w = labels.width(), h = labels.height();
    if (image && !image->same_size(labels))
        throw util::Exception("the image is " + std::to_string(image->width()) + " x " +
                              std::to_string(image->height()) + ", the mask " + std::to_string(w) + " x " +
                              std::to_string(h));
    IndexedPicture picture(w, h, 0);
    if (image) {
        const std::vector<std::uint8_t> levels = grey_levels(*image);
        // Plain pointers: a byte store may alias the vectors' own pointers,
        // which the compiler would otherwise load again for every pixel.
        const unsigned short* in = image->data();
        const std::uint8_t* level = levels.data();
        std::uint8_t* out = picture.pixels.data();
        const std::size_t count = picture.pixels.size();
        for (std::size_t i = 0; i < count; ++i) out[i] = level[in[i]];
    }

    // Outlines, and where each label lies. Most of a mask is background, so
    // runs of four zero labels are passed over at once.
    std::vector<Extent> extents;
    std::int32_t largest = 0;
    for (int y = 0; y < h; ++y) {
        const unsigned short* row = labels.row(y);
        const unsigned short* above = y > 0 ? labels.row(y - 1) : nullptr;
        const unsigned short* below = y + 1 < h ? labels.row(y + 1) : nullptr;
        std::uint8_t* out = &picture.at(0, y);
        for (int x = 0; x < w; ++x) {
            if (x + 4 <= w) {
                std::uint64_t four;
                std::memcpy(&four, row + x, sizeof four);
                if (four == 0) {
                    x += 3;
                    continue;
                }
            }
            const unsigned short l = row[x];
            if (!l) continue;
            if (l >= extents.size()) extents.resize(static_cast<std::size_t>(l) + 1);
            Extent& e = extents[l];
            if (e.n++ == 0) e.min_x = e.max_x = x;
            e.sum_y += y;
            e.min_x = std::min(e.min_x, x);
            e.max_x = std::max(e.max_x, x);
            largest = std::max<std::int32_t>(largest, l);
            const bool edge = !above || !below || x == 0 || x + 1 == w || above[x] != l || below[x] != l ||
                              row[x - 1] != l || row[x + 1] != l;
            if (edge) out[x] = OverlayColours::of_label(l);
        }
    }
    const int scale = std::max(w, h) >= 512 ? 2 : 1;
    for (std::int32_t l = 1; l <= largest; ++l)
        if (extents[static_cast<std::size_t>(l)].n) draw_number(picture, extents[static_cast<std::size_t>(l)], l, scale);
    return picture;
}

Mask project_labels(const Mask3d& labels) {
    Mask projection(labels.width(), labels.height(), 0);
    for (int z = labels.depth() - 1; z >= 0; --z) {
        const Mask& slice = labels.slice(z);
        for (std::size_t i = 0; i < projection.size(); ++i)
            if (slice[i]) projection[i] = slice[i];
    }
    return projection;
}

ipc::Image<unsigned short> project_brightest(const ipc::Image3d<unsigned short>& image) {
    ipc::Image<unsigned short> projection(image.width(), image.height(), 0);
    for (const auto& slice : image.slices())
        for (std::size_t i = 0; i < projection.size(); ++i) projection[i] = std::max(projection[i], slice[i]);
    return projection;
}

}  // namespace isbi
