#pragma once
#include <cstdint>

namespace synth {

// What a synthetic fluorescence time-lapse looks like. Lengths are in
// pixels, rates per frame, intensities in 16-bit grey values.
struct SequenceParameters {
    std::uint64_t seed = 1;
    int width = 256;
    int height = 256;
    int cells = 20;           // nuclei in the first frame
    int frames = 40;
    double radius = 5.0;      // mean nucleus radius
    double speed = 1.5;       // r.m.s. velocity per axis, pixels per frame
    double division_rate = 0.008;  // chance per cell and frame
    double entry_rate = 0.1;  // mean number of nuclei entering per frame
    double background = 1000.0;
    double contrast = 2500.0;  // mean nucleus brightness above the background
    double noise = 50.0;       // standard deviation of the pixel noise

    // Harder conditions; the defaults give the easy sequences (and files)
    // the generator has always made.
    double spacing = 1.25;     // least centre distance / sum of the two radii (below 1: overlap)
    double elongation = 1.0;   // axis ratio of elliptical nuclei (1: discs)
    double brightness_spread = 0.1;  // relative standard deviation of the brightness
    double dim_fraction = 0.0;  // chance that a nucleus is dim
    double dim_level = 0.35;    // brightness of a dim nucleus relative to a normal one
    double uneven = 0.0;       // amplitude of the uneven background, grey levels
    double blur = 0.5;         // width of the soft nucleus border, pixels

    // Throws util::Exception naming the first parameter out of range and its
    // value.
    void validate() const;
};

}  // namespace synth
