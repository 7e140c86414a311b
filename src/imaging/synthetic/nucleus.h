#pragma once
#include <algorithm>
#include <cmath>

namespace synth {

// One nucleus in one frame: its track label, centre (x = column, y = row, in
// pixels, pixel centres at integers), radius and brightness above the
// background. An elliptical nucleus (elongation e > 1) has the area of the
// disc of its radius: semi-axes r sqrt(e) and r / sqrt(e), the long one at
// `angle` radians from the x axis.
struct Nucleus {
    int label = 0;
    double x = 0.0;
    double y = 0.0;
    double radius = 0.0;
    double brightness = 0.0;
    double elongation = 1.0;
    double angle = 0.0;

    // The semi-major axis: how far the nucleus reaches from its centre.
    double reach() const { return elongation == 1.0 ? radius : radius * std::sqrt(elongation); }

    // Distance of (px, py) from the centre in units of the radius along the
    // ray through it: below 1 inside, 1 on the border.
    double relative_distance(double px, double py) const {
        const double dx = px - x;
        const double dy = py - y;
        if (elongation == 1.0) return std::hypot(dx, dy) / radius;
        // (u / a)^2 + (v / b)^2 in the frame of the axes, a = r sqrt(e), b = r / sqrt(e).
        const double c = std::cos(angle);
        const double s = std::sin(angle);
        const double u = (dx * c + dy * s) / std::sqrt(elongation);
        const double v = (dy * c - dx * s) * std::sqrt(elongation);
        return std::hypot(u, v) / radius;
    }
};

// Calls visit(x, y) for every pixel of a width x height image that belongs
// to the nucleus' true extent: the pixel centres within its radius, where the
// rendered profile is at least half its peak. The masks of the ground truth
// and the visibility of a nucleus both use this one definition.
template <class Visit>
void for_each_nucleus_pixel(const Nucleus& nucleus, int width, int height, Visit visit) {
    const double reach = nucleus.reach();
    const int x0 = std::max(0, static_cast<int>(std::ceil(nucleus.x - reach)));
    const int x1 = std::min(width - 1, static_cast<int>(std::floor(nucleus.x + reach)));
    const int y0 = std::max(0, static_cast<int>(std::ceil(nucleus.y - reach)));
    const int y1 = std::min(height - 1, static_cast<int>(std::floor(nucleus.y + reach)));
    const double r2 = nucleus.radius * nucleus.radius;
    for (int y = y0; y <= y1; ++y) {
        const double dy = y - nucleus.y;
        for (int x = x0; x <= x1; ++x) {
            const double dx = x - nucleus.x;
            // Discs keep the exact test dx^2 + dy^2 <= r^2.
            const bool inside = nucleus.elongation == 1.0 ? dx * dx + dy * dy <= r2
                                                           : nucleus.relative_distance(x, y) <= 1.0;
            if (inside) visit(x, y);
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
