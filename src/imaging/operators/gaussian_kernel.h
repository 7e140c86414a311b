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
// The same for a row of 16-bit pixels.
void smooth_row(const unsigned short* in, float* out, int width, const std::vector<float>& half_kernel,
                std::vector<float>& padded);

// out[i] = sum over k of w[|k|] rows[R + k][i] for i < count: one step of a
// smoothing across rows (or slices), given pointers to the 2R + 1 input rows
// around the output row (border rows repeated by the caller).
void smooth_across(const float* const* rows, float* out, int count, const std::vector<float>& half_kernel);
// The same, each sum rounded to 16 bits: min(sum + 0.5, 65535) truncated.
void smooth_across(const float* const* rows, unsigned short* out, int count, const std::vector<float>& half_kernel);

// Every sum above adds its terms in the same order, whichever the kernel:
// w0 v0, then + w1 (v-1 + v1), + w2 (v-2 + v2), ... in single precision;
// kernels of up to kUnrolledRadius taps a side run fully unrolled, with
// the sum kept in a register.
constexpr int kUnrolledRadius = 8;

}  // namespace ipc
