#include "imaging/synthetic/colony/rod_renderer.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace synth::colony {

namespace {

// Beyond r + reach * w the soft edge is below A e^-reach: under one grey
// level for any 16-bit brightness.
constexpr double edge_reach = 12.0;

}  // namespace

ipc::Image<unsigned short> render_rod_mask(const std::vector<Rod>& rods, int width, int height) {
    ipc::Image<unsigned short> mask(width, height, 0);
    ipc::Image<double> nearest(width, height, std::numeric_limits<double>::infinity());
    for (const Rod& rod : rods) {
        const auto label = static_cast<unsigned short>(rod.label);
        for_each_rod_pixel(rod, width, height, 0.0, [&](int x, int y, double d) {
            const double depth = d / rod.radius;
            if (depth < nearest(x, y)) {
                nearest(x, y) = depth;
                mask(x, y) = label;
            }
        });
    }
    return mask;
}

ipc::Image<unsigned short> render_rod_fluorescence(const std::vector<Rod>& rods, int width, int height,
                                                   const FluorescenceStyle& style, SeededRandom& noise) {
    ipc::Image<double> signal(width, height, style.background);
    for (const Rod& rod : rods)
        for_each_rod_pixel(rod, width, height, edge_reach * style.edge_width, [&](int x, int y, double d) {
            // I = A / (1 + exp((d - r) / w))
            signal(x, y) += rod.brightness / (1.0 + std::exp((d - rod.radius) / style.edge_width));
        });
    ipc::Image<unsigned short> image(width, height);
    for (std::size_t i = 0; i < signal.size(); ++i) {
        const double value = signal[i] + style.noise * noise.normal();
        image[i] = static_cast<unsigned short>(std::clamp(std::round(value), 0.0, 65535.0));
    }
    return image;
}

}  // namespace synth::colony
