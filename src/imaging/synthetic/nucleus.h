#pragma once
#include <algorithm>
#include <cmath>

namespace synth {

// One nucleus in one frame: its track label, centre (x = column, y = row, in
// pixels, pixel centres at integers), radius and brightness above the
// background.
struct Nucleus {
    int label = 0;
    double x = 0.0;
    double y = 0.0;
    double radius = 0.0;
    double brightness = 0.0;
};

// Calls visit(x, y) for every pixel of a width x height image that belongs
// to the nucleus' true extent: the pixel centres within its radius, where the
// rendered profile is at least half its peak. The masks of the ground truth
// and the visibility of a nucleus both use this one definition.
template <class Visit>
void for_each_nucleus_pixel(const Nucleus& nucleus, int width, int height, Visit visit) {
    const double r2 = nucleus.radius * nucleus.radius;
    const int x0 = std::max(0, static_cast<int>(std::ceil(nucleus.x - nucleus.radius)));
    const int x1 = std::min(width - 1, static_cast<int>(std::floor(nucleus.x + nucleus.radius)));
    const int y0 = std::max(0, static_cast<int>(std::ceil(nucleus.y - nucleus.radius)));
    const int y1 = std::min(height - 1, static_cast<int>(std::floor(nucleus.y + nucleus.radius)));
    for (int y = y0; y <= y1; ++y) {
        const double dy = y - nucleus.y;
        for (int x = x0; x <= x1; ++x) {
            const double dx = x - nucleus.x;
            if (dx * dx + dy * dy <= r2) visit(x, y);
        }
    }
}

// Number of image pixels the nucleus covers; 0 once it has left the image.
inline int visible_pixels(const Nucleus& nucleus, int width, int height) {
    int count = 0;
    for_each_nucleus_pixel(nucleus, width, height, [&count](int, int) { ++count; });
    return count;
}

}  // namespace synth
