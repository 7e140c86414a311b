#include "imaging/synthetic/colony/rod_renderer.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "imaging/operators/gaussian_kernel.h"

namespace synth::colony {

namespace {

// Beyond r + reach * w the soft edge is below A e^-reach: under one grey
// level for any 16-bit brightness.
constexpr double edge_reach = 12.0;

// Each pixel's rod: the one whose axis is nearest relative to its radius
// (index into rods, or -1), with that relative depth d / r (<= 1).
struct Territories {
    Territories(int width, int height)
        : owner(width, height, -1), depth(width, height, std::numeric_limits<double>::infinity()) {}
    ipc::Image<int> owner;
    ipc::Image<double> depth;
};

Territories rod_territories(const std::vector<Rod>& rods, int width, int height) {
    Territories t(width, height);
    for (std::size_t i = 0; i < rods.size(); ++i) {
        const Rod& rod = rods[i];
        for_each_rod_pixel(rod, width, height, 0.0, [&](int x, int y, double d) {
            const double depth = d / rod.radius;
            if (depth < t.depth(x, y)) {
                t.depth(x, y) = depth;
                t.owner(x, y) = static_cast<int>(i);
            }
        });
    }
    return t;
}

// Separable Gaussian blur of a double image, borders continued by their
// end values.
void blur(ipc::Image<double>& image, double sigma) {
    const std::vector<float> half = ipc::gaussian_half_kernel(sigma);
    const int r = static_cast<int>(half.size()) - 1;
    const int width = image.width();
    const int height = image.height();
    std::vector<double> line;
    auto pass = [&](int count, int length, auto at) {
        line.resize(static_cast<std::size_t>(length));
        for (int c = 0; c < count; ++c) {
            for (int k = 0; k < length; ++k) line[k] = at(c, k);
            for (int k = 0; k < length; ++k) {
                double sum = half[0] * line[k];
                for (int j = 1; j <= r; ++j)
                    sum += half[j] * (line[std::max(0, k - j)] + line[std::min(length - 1, k + j)]);
                at(c, k) = sum;
            }
        }
    };
    pass(height, width, [&](int y, int x) -> double& { return image(x, y); });
    pass(width, height, [&](int x, int y) -> double& { return image(x, y); });
}

// The noiseless image: background + rods.
ipc::Image<double> dome_signal(const std::vector<Rod>& rods, int width, int height, double background,
                               double psf_sigma) {
    const Territories t = rod_territories(rods, width, height);
    ipc::Image<double> cells(width, height, 0.0);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (t.owner[i] < 0) continue;
        // I = A sqrt(1 - (d / r)^2): the thickness of the cell along the line of sight
        cells[i] = rods[static_cast<std::size_t>(t.owner[i])].brightness *
                   std::sqrt(std::max(0.0, 1.0 - t.depth[i] * t.depth[i]));
    }
    if (psf_sigma > 0.0) blur(cells, psf_sigma);
    for (std::size_t i = 0; i < cells.size(); ++i) cells[i] += background;
    return cells;
}

ipc::Image<double> flat_signal(const std::vector<Rod>& rods, int width, int height, double background,
                               double edge_width) {
    ipc::Image<double> signal(width, height, background);
    for (const Rod& rod : rods)
        for_each_rod_pixel(rod, width, height, edge_reach * edge_width, [&](int x, int y, double d) {
            // I = A / (1 + exp((d - r) / w))
            signal(x, y) += rod.brightness / (1.0 + std::exp((d - rod.radius) / edge_width));
        });
    return signal;
}

}  // namespace

ipc::Image<unsigned short> render_rod_mask(const std::vector<Rod>& rods, int width, int height) {
    const Territories t = rod_territories(rods, width, height);
    ipc::Image<unsigned short> mask(width, height, 0);
    for (std::size_t i = 0; i < mask.size(); ++i)
        if (t.owner[i] >= 0) mask[i] = static_cast<unsigned short>(rods[static_cast<std::size_t>(t.owner[i])].label);
    return mask;
}

ipc::Image<unsigned short> render_rod_fluorescence(const std::vector<Rod>& rods, int width, int height,
                                                   const FluorescenceStyle& style, SeededRandom& noise,
                                                   RodProfile profile, double psf_sigma) {
    const ipc::Image<double> signal =
        profile == RodProfile::dome ? dome_signal(rods, width, height, style.background, psf_sigma)
                                    : flat_signal(rods, width, height, style.background, style.edge_width);
    ipc::Image<unsigned short> image(width, height);
    for (std::size_t i = 0; i < signal.size(); ++i) {
        const double value = signal[i] + style.noise * noise.normal();
        image[i] = static_cast<unsigned short>(std::clamp(std::round(value), 0.0, 65535.0));
    }
    return image;
}

}  // namespace synth::colony
