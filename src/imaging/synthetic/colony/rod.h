#pragma once
#include <algorithm>
#include <cmath>

namespace synth::colony {

// One rod-shaped cell in one frame: a spherocylinder (a rectangle capped by
// two half discs) of full length `length` (tip to tip) and the given radius,
// centred at (x, y) (x = column, y = row, pixel centres at integers), its long
// axis at `angle` radians from the x axis.
struct Rod {
    int label = 0;
    double x = 0.0;
    double y = 0.0;
    double angle = 0.0;
    double length = 0.0;
    double radius = 0.0;
    double brightness = 0.0;

    // Half the length of the axis segment between the centres of the caps.
    double half_core() const { return std::max(0.0, 0.5 * length - radius); }
};

// Distance from (px, py) to the rod's axis segment; the rod holds the point
// when it is at most the radius.
inline double distance_to_axis(const Rod& rod, double px, double py) {
    const double ux = std::cos(rod.angle);
    const double uy = std::sin(rod.angle);
    const double h = rod.half_core();
    // s = clamp((p - c) . u, -h, h); d = |p - (c + s u)|
    const double s = std::clamp((px - rod.x) * ux + (py - rod.y) * uy, -h, h);
    return std::hypot(px - (rod.x + s * ux), py - (rod.y + s * uy));
}

// Calls visit(x, y, d) for every pixel centre of a width x height image that
// lies within the rod, d being its distance to the axis (<= radius).
template <class Visit>
void for_each_rod_pixel(const Rod& rod, int width, int height, double margin, Visit visit) {
    const double reach = 0.5 * rod.length + margin;
    const int x0 = std::max(0, static_cast<int>(std::ceil(rod.x - reach)));
    const int x1 = std::min(width - 1, static_cast<int>(std::floor(rod.x + reach)));
    const int y0 = std::max(0, static_cast<int>(std::ceil(rod.y - reach)));
    const int y1 = std::min(height - 1, static_cast<int>(std::floor(rod.y + reach)));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const double d = distance_to_axis(rod, x, y);
            if (d <= rod.radius + margin) visit(x, y, d);
        }
}

}  // namespace synth::colony
