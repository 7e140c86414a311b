#pragma once
#include <vector>

#include "imaging/image.h"
#include "imaging/synthetic/nucleus.h"
#include "imaging/synthetic/seeded_random.h"

namespace synth {

// How the nuclei are drawn into a fluorescence image.
struct FluorescenceStyle {
    double background = 1000.0;
    double noise = 50.0;       // standard deviation of the additive noise
    double edge_width = 0.5;   // softness of the nucleus border, pixels
};

// Fluorescence image: background + sum of soft disks + Gaussian noise,
// rounded and clamped to 16 bits. Each nucleus contributes
// A / (1 + exp((d - r) / w)) at distance d from its centre, a plateau of
// height A that falls to A / 2 at the radius. Draws width * height normal
// deviates from noise, in row-major order.
ipc::Image<unsigned short> render_fluorescence(const std::vector<Nucleus>& nuclei, int width,
                                               int height, const FluorescenceStyle& style,
                                               SeededRandom& noise);

// Label mask: each nucleus' pixels (see for_each_nucleus_pixel) carry its
// label, all others 0.
ipc::Image<unsigned short> render_label_mask(const std::vector<Nucleus>& nuclei, int width,
                                             int height);

}  // namespace synth
