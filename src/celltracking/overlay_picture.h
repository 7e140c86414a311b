#pragma once
#include <cstdint>

#include "celltracking/label_mask.h"
#include "celltracking/png_file.h"

namespace isbi {

// The colours of the overlay pictures: a grey ramp for the image, a set of
// label colours, and white and black for the label numbers.
struct OverlayColours {
    static constexpr int greys = 192;         // indices 0 .. 191
    static constexpr int label_colours = 62;  // indices 192 .. 253
    static constexpr std::uint8_t white = 254, black = 255;

    static const Palette& palette();
    // The palette index of a label's colour; neighbouring labels get
    // distant hues, and labels label_colours apart share a colour.
    static std::uint8_t of_label(std::int32_t label);
    static Rgb rgb_of_label(std::int32_t label);
};

// Draws a frame of a result: the image in grey (its grey values stretched
// between the 0.5th and 99.5th percentiles; black when `image` is null),
// every label's outline (its pixels that touch another label or the border)
// in the label's colour, and its number in white on black beside it, at the
// height of its centre. The image must have the mask's size.
IndexedPicture render_overlay(const ipc::Image<unsigned short>* image, const Mask& labels);

// A 3-D result drawn as above from projections along z: each pixel shows
// the brightest voxel of its column and the label nearest the top slice.
Mask project_labels(const Mask3d& labels);
ipc::Image<unsigned short> project_brightest(const ipc::Image3d<unsigned short>& image);

}  // namespace isbi
