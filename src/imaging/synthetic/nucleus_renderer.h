#pragma once
#include <vector>

#include "imaging/image.h"
#include "imaging/synthetic/nucleus.h"
#include "imaging/synthetic/seeded_random.h"

namespace synth {

// How the nuclei are drawn into a fluorescence image.
struct FluorescenceStyle {
    double background = 1000.0;
    double uneven = 0.0;       // amplitude of the background's variation (see uneven_background)
    double noise = 50.0;       // standard deviation of the additive noise
    double edge_width = 0.5;   // softness of the nucleus border, pixels
};

// The shape of an uneven illumination, from 0 to about 1 over a width x
// height image: half a ramp rising to the right plus half a broad bright
// patch (a Gaussian of 0.3 times the shorter side, centred at 30% of the
// width and 65% of the height). It varies over hundreds of pixels, much
// more slowly than nuclei, as a microscope's shading does.
double uneven_background(double x, double y, int width, int height);

// Fluorescence image: background (+ uneven * uneven_background) + sum of
// soft disks (or ellipses) + Gaussian noise,
// rounded and clamped to 16 bits. Each nucleus contributes
// A / (1 + exp((d - r) / w)) at distance d from its centre (for an ellipse,
// r times the relative distance), a plateau of height A that falls to A / 2
// at the border. Nuclei that overlap add up. Draws width * height normal
// deviates from noise, in row-major order.
ipc::Image<unsigned short> render_fluorescence(const std::vector<Nucleus>& nuclei, int width,
                                               int height, const FluorescenceStyle& style,
                                               SeededRandom& noise);

// Label mask: each nucleus' pixels (see for_each_nucleus_pixel) carry its
// label, all others 0.
ipc::Image<unsigned short> render_label_mask(const std::vector<Nucleus>& nuclei, int width,
                                             int height);

}  // namespace synth
