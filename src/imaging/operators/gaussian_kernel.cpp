#include "imaging/operators/gaussian_kernel.h"

#include <cmath>

namespace ipc {

std::vector<float> gaussian_half_kernel(double sigma) {
    if (!(sigma > 0)) return {1.0f};
    const int radius = static_cast<int>(std::ceil(3.0 * sigma));
    std::vector<double> w(static_cast<std::size_t>(radius) + 1);
    double total = 0;
    for (int k = 0; k <= radius; ++k) {
        w[k] = std::exp(-0.5 * k * k / (sigma * sigma));  // exp(-k^2 / (2 sigma^2))
        total += k == 0 ? w[k] : 2 * w[k];
    }
    std::vector<float> half(w.size());
    for (std::size_t k = 0; k < w.size(); ++k) half[k] = static_cast<float>(w[k] / total);
    return half;
}

void smooth_row(const float* in, float* out, int width, const std::vector<float>& half_kernel,
                std::vector<float>& padded) {
    const int radius = static_cast<int>(half_kernel.size()) - 1;
    padded.resize(static_cast<std::size_t>(width + 2 * radius));
    float* p = padded.data() + radius;
    for (int x = 0; x < width; ++x) p[x] = in[x];
    for (int k = 1; k <= radius; ++k) {
        p[-k] = in[0];
        p[width - 1 + k] = in[width - 1];
    }
    // One tap pair at a time over the whole row, so the inner loop runs
    // along contiguous memory and the compiler vectorises it.
    const float w0 = half_kernel[0];
    for (int x = 0; x < width; ++x) out[x] = w0 * p[x];
    for (int k = 1; k <= radius; ++k) {
        const float w = half_kernel[k];
        const float* left = p - k;
        const float* right = p + k;
        for (int x = 0; x < width; ++x) out[x] += w * (left[x] + right[x]);
    }
}

void smooth_across(const float* const* rows, float* out, int count, const std::vector<float>& half_kernel) {
    const int radius = static_cast<int>(half_kernel.size()) - 1;
    const float* centre = rows[radius];
    const float w0 = half_kernel[0];
    for (int i = 0; i < count; ++i) out[i] = w0 * centre[i];
    for (int k = 1; k <= radius; ++k) {
        const float w = half_kernel[k];
        const float* before = rows[radius - k];
        const float* after = rows[radius + k];
        for (int i = 0; i < count; ++i) out[i] += w * (before[i] + after[i]);
    }
}

}  // namespace ipc
