#pragma once
#include <cstdint>

namespace synth::colony {

// How a rod's fluorescence falls off from its axis.
enum class RodProfile {
    // Cytoplasm seen through the cell's thickness: A sqrt(1 - (d / r)^2) at
    // distance d from the axis, in the pixels the rod takes in the label
    // mask, then blurred by the microscope (a Gaussian of `psf_sigma`
    // pixels). Touching rods meet at a dim seam, as they do under a
    // microscope.
    dome,
    // A flat top with a soft edge, A / (1 + exp((d - r) / w)), summed where
    // rods overlap: touching rods show no seam (the earlier rendering, kept
    // to reproduce sequences made with it).
    flat,
};

// What a synthetic colony of rod-shaped cells looks like. Lengths are in
// pixels, times in frames, intensities in 16-bit grey values.
struct ColonyParameters {
    std::uint64_t seed = 1;
    int width = 512;
    int height = 512;
    int founders = 12;             // cells in the first frame, near the image centre
    int frames = 60;
    double cell_width = 8.0;       // diameter of a rod
    double division_length = 32.0; // mean tip-to-tip length at which a rod divides
    double doubling_time = 12.0;   // mean frames from a cell's birth to its division
    double jitter = 0.3;           // r.m.s. random displacement per frame and axis
    double background = 1000.0;
    double contrast = 2500.0;      // mean cell brightness above the background
    double noise = 50.0;           // standard deviation of the pixel noise
    RodProfile profile = RodProfile::dome;
    double psf_sigma = 1.0;        // the microscope's blur of the dome profile, pixels

    // Throws util::Exception naming the first parameter out of range and its
    // value.
    void validate() const;
};

}  // namespace synth::colony
