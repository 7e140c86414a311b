#pragma once
#include <vector>

namespace ipc {

// Half of a sampled, normalised Gaussian of standard deviation sigma
// (pixels): w[k] for k = 0 .. R, R = ceil(3 sigma), w[k] proportional to
// exp(-k^2 / (2 sigma^2)) and w[0] + 2 (w[1] + ... + w[R]) = 1. Beyond
// 3 sigma less than 0.3% of the weight is lost (and given back by the
// normalisation). Sigma 0 gives {1}: no smoothing.
std::vector<float> gaussian_half_kernel(double sigma);

// Smooths rows of floats: out[x] = sum over k of w[|k|] in[clamp(x + k)], the
// row continued beyond its ends by its end values. `padded` is scratch of
// width + 2R floats; in and out may not overlap.
void smooth_row(const float* in, float* out, int width, const std::vector<float>& half_kernel,
                std::vector<float>& padded);

// out[i] = sum over k of w[|k|] rows[R + k][i] for i < count: one step of a
// smoothing across rows (or slices), given pointers to the 2R + 1 input rows
// around the output row (border rows repeated by the caller).
void smooth_across(const float* const* rows, float* out, int count, const std::vector<float>& half_kernel);

}  // namespace ipc
