#include "imaging/synthetic/nucleus_renderer.h"

#include <algorithm>
#include <cmath>

namespace synth {

namespace {

// Beyond r + reach * w the soft edge is below A e^-reach: under one grey
// level for any 16-bit brightness.
constexpr double edge_reach = 12.0;

void add_nucleus(const Nucleus& nucleus, double edge_width, ipc::Image<double>& signal) {
    const double extent = nucleus.reach() + edge_reach * edge_width;
    const int x0 = std::max(0, static_cast<int>(std::floor(nucleus.x - extent)));
    const int x1 = std::min(signal.width() - 1, static_cast<int>(std::ceil(nucleus.x + extent)));
    const int y0 = std::max(0, static_cast<int>(std::floor(nucleus.y - extent)));
    const int y1 = std::min(signal.height() - 1, static_cast<int>(std::ceil(nucleus.y + extent)));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const double d = nucleus.elongation == 1.0 ? std::hypot(x - nucleus.x, y - nucleus.y)
                                                       : nucleus.radius * nucleus.relative_distance(x, y);
            // I = A / (1 + exp((d - r) / w))
            signal(x, y) += nucleus.brightness / (1.0 + std::exp((d - nucleus.radius) / edge_width));
        }
    }
}

}  // namespace

double uneven_background(double x, double y, int width, int height) {
    const double spread = 0.3 * std::min(width, height);
    const double dx = x - 0.3 * width;
    const double dy = y - 0.65 * height;
    // u = x / (2 (w - 1)) + exp(-(dx^2 + dy^2) / (2 s^2)) / 2
    return 0.5 * x / std::max(1, width - 1) + 0.5 * std::exp(-(dx * dx + dy * dy) / (2.0 * spread * spread));
}

ipc::Image<unsigned short> render_fluorescence(const std::vector<Nucleus>& nuclei, int width,
                                               int height, const FluorescenceStyle& style,
                                               SeededRandom& noise) {
    ipc::Image<double> signal(width, height, style.background);
    if (style.uneven > 0.0)
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) signal(x, y) += style.uneven * uneven_background(x, y, width, height);
    for (const Nucleus& nucleus : nuclei) add_nucleus(nucleus, style.edge_width, signal);

    ipc::Image<unsigned short> image(width, height);
    for (std::size_t i = 0; i < signal.size(); ++i) {
        const double value = signal[i] + style.noise * noise.normal();
        image[i] = static_cast<unsigned short>(std::clamp(std::round(value), 0.0, 65535.0));
    }
    return image;
}

ipc::Image<unsigned short> render_label_mask(const std::vector<Nucleus>& nuclei, int width,
                                             int height) {
    ipc::Image<unsigned short> mask(width, height, 0);
    for (const Nucleus& nucleus : nuclei) {
        const auto label = static_cast<unsigned short>(nucleus.label);
        for_each_nucleus_pixel(nucleus, width, height, [&](int x, int y) { mask(x, y) = label; });
    }
    return mask;
}

}  // namespace synth
