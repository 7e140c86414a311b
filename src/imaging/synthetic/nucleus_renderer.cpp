#include "imaging/synthetic/nucleus_renderer.h"

#include <algorithm>
#include <cmath>

namespace synth {

namespace {

// Beyond r + reach * w the soft edge is below A e^-reach: under one grey
// level for any 16-bit brightness.
constexpr double edge_reach = 12.0;

void add_nucleus(const Nucleus& nucleus, double edge_width, ipc::Image<double>& signal) {
    const double extent = nucleus.radius + edge_reach * edge_width;
    const int x0 = std::max(0, static_cast<int>(std::floor(nucleus.x - extent)));
    const int x1 = std::min(signal.width() - 1, static_cast<int>(std::ceil(nucleus.x + extent)));
    const int y0 = std::max(0, static_cast<int>(std::floor(nucleus.y - extent)));
    const int y1 = std::min(signal.height() - 1, static_cast<int>(std::ceil(nucleus.y + extent)));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const double d = std::hypot(x - nucleus.x, y - nucleus.y);
            // I = A / (1 + exp((d - r) / w))
            signal(x, y) += nucleus.brightness / (1.0 + std::exp((d - nucleus.radius) / edge_width));
        }
    }
}

}  // namespace

ipc::Image<unsigned short> render_fluorescence(const std::vector<Nucleus>& nuclei, int width,
                                               int height, const FluorescenceStyle& style,
                                               SeededRandom& noise) {
    ipc::Image<double> signal(width, height, style.background);
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
