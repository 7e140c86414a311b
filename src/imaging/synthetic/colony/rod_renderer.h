#pragma once
#include <vector>

#include "imaging/image.h"
#include "imaging/synthetic/colony/colony_parameters.h"
#include "imaging/synthetic/colony/rod.h"
#include "imaging/synthetic/nucleus_renderer.h"
#include "imaging/synthetic/seeded_random.h"

namespace synth::colony {

// Label mask: every pixel centre within a rod carries its label, 0
// elsewhere. Where touching rods both reach a pixel, the one whose axis is
// nearer (relative to its radius) takes it, so that the masks of two
// daughters meet along a line instead of one covering the other.
ipc::Image<unsigned short> render_rod_mask(const std::vector<Rod>& rods, int width, int height);

// Fluorescence image: background + rods (see RodProfile) + Gaussian noise,
// rounded and clamped to 16 bits. Draws width * height normal deviates from
// noise, in row-major order.
ipc::Image<unsigned short> render_rod_fluorescence(const std::vector<Rod>& rods, int width, int height,
                                                   const FluorescenceStyle& style, SeededRandom& noise,
                                                   RodProfile profile = RodProfile::dome, double psf_sigma = 1.0);

}  // namespace synth::colony
