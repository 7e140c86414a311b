#pragma once
#include <vector>

#include "imaging/image.h"
#include "imaging/image_3d.h"

namespace ipc {

// Separable Gaussian smoothing of 16-bit images, in single precision: each
// row is smoothed along x, and every output row is the smoothing across the
// 2R + 1 x-smoothed rows around it, kept in a ring so that the work stays
// in cache. Borders continue the image by its edge values. Scratch storage
// is kept between images, so a smoother is not re-entrant.
class PlaneSmoother {
public:
    PlaneSmoother(double sigma_xy, double sigma_z);

    // 2-D: out (resized to in's size) = in smoothed along x and y, rounded.
    void smooth(const Image<unsigned short>& in, Image<unsigned short>& out);
    // 3-D: also across slices with sigma_z.
    void smooth(const Image3d<unsigned short>& in, Image3d<unsigned short>& out);

private:
    // Smooths one plane along x and y into out (width * height floats, or
    // 16-bit values rounded).
    template <class Out>
    void smooth_plane(const Image<unsigned short>& in, Out* out);
    const float* x_smoothed_row(const Image<unsigned short>& in, int y);

    std::vector<float> xy_kernel_;
    std::vector<float> z_kernel_;
    std::vector<std::vector<float>> ring_;  // x-smoothed rows, slot y mod (2R + 1)
    std::vector<int> ring_row_;             // which row each slot holds (-1: none)
    std::vector<const float*> rows_;        // the 2R + 1 rows around an output row
    std::vector<float> padded_;
    std::vector<std::vector<float>> slices_;  // 3-D: every slice smoothed in x-y
};

}  // namespace ipc
