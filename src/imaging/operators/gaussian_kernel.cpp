#include "imaging/operators/gaussian_kernel.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <type_traits>
#include <utility>

#include "util/vector_clones.h"

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

namespace {

// Rounds a smoothed value (a weighted mean of 16-bit values, so not
// negative) to 16 bits: v + 0.5 truncated, at most 65535. The clamp is on
// the integer, which keeps the loop vector instructions.
inline unsigned short rounded_short(float v) {
    return static_cast<unsigned short>(std::min(static_cast<int>(v + 0.5f), 65535));
}

// out[i] = w0 c[i] + w1 (b1[i] + a1[i]) + ... + wR (bR[i] + aR[i]), summed
// in that order, for R taps a side known when compiled: the loop over k
// unrolls and the sum stays in a register (eight outputs a step with AVX2).
template <int R, class Out>
OSTREL_VECTOR_CLONES void taps_fixed(const float* const* before, const float* const* after, const float* centre,
                                      Out* __restrict out, int count, const float* w) {
    float weight[R + 1];
    const float* b[R + 1];
    const float* a[R + 1];
    weight[0] = w[0], b[0] = a[0] = centre;  // the lines of k = 0 are the centre
    for (int k = 1; k <= R; ++k) weight[k] = w[k], b[k] = before[k], a[k] = after[k];
    for (int i = 0; i < count; ++i) {
        float sum = weight[0] * centre[i];
        for (int k = 1; k <= R; ++k) sum += weight[k] * (b[k][i] + a[k][i]);
        if constexpr (std::is_same_v<Out, float>)
            out[i] = sum;
        else
            out[i] = rounded_short(sum);
    }
}

// Any radius: one tap pair at a time over the whole line (the same order
// of additions), into a float line.
void taps_any(const float* const* before, const float* const* after, const float* centre, float* out, int count,
              const float* w, int radius) {
    for (int i = 0; i < count; ++i) out[i] = w[0] * centre[i];
    for (int k = 1; k <= radius; ++k) {
        const float weight = w[k];
        const float* b = before[k];
        const float* a = after[k];
        for (int i = 0; i < count; ++i) out[i] += weight * (b[i] + a[i]);
    }
}

template <class Out, int... R>
void taps_dispatch(std::integer_sequence<int, R...>, const float* const* before, const float* const* after,
                   const float* centre, Out* out, int count, const float* w, int radius) {
    using Fixed = void (*)(const float* const*, const float* const*, const float*, Out*, int, const float*);
    static constexpr Fixed fixed[] = {&taps_fixed<R, Out>...};
    fixed[radius](before, after, centre, out, count, w);
}

// before[k] and after[k] (k = 1 .. radius) point at the lines k steps
// before and after the centre line; out gets count sums.
template <class Out>
void apply_taps(const float* const* before, const float* const* after, const float* centre, Out* out, int count,
                const std::vector<float>& half_kernel, std::vector<float>& scratch) {
    const int radius = static_cast<int>(half_kernel.size()) - 1;
    if (radius <= kUnrolledRadius) {
        taps_dispatch(std::make_integer_sequence<int, kUnrolledRadius + 1>(), before, after, centre, out, count,
                      half_kernel.data(), radius);
        return;
    }
    if constexpr (std::is_same_v<Out, float>) {
        taps_any(before, after, centre, out, count, half_kernel.data(), radius);
    } else {
        scratch.resize(static_cast<std::size_t>(count));
        taps_any(before, after, centre, scratch.data(), count, half_kernel.data(), radius);
        for (int i = 0; i < count; ++i) out[i] = rounded_short(scratch[i]);
    }
}

// Room for the pointers to the taps k = 1..radius on either side of the
// centre (before[k], after[k]); on the stack up to the unrolled radius.
class TapPointers {
public:
    explicit TapPointers(int radius) {
        if (radius > kUnrolledRadius) large_.resize(2 * static_cast<std::size_t>(radius) + 2);
        before = radius > kUnrolledRadius ? large_.data() : small_.data();
        after = before + radius + 1;
    }
    TapPointers(const TapPointers&) = delete;
    TapPointers& operator=(const TapPointers&) = delete;

    const float** before;
    const float** after;

private:
    std::array<const float*, 2 * kUnrolledRadius + 2> small_;
    std::vector<const float*> large_;
};

// Smooths the padded row p[-R .. width + R) into out.
void smooth_padded_row(const float* p, float* out, int width, const std::vector<float>& half_kernel) {
    const int radius = static_cast<int>(half_kernel.size()) - 1;
    TapPointers taps(radius);
    for (int k = 1; k <= radius; ++k) taps.before[k] = p - k, taps.after[k] = p + k;
    std::vector<float> unused;
    apply_taps(taps.before, taps.after, p, out, width, half_kernel, unused);
}

template <class T>
OSTREL_VECTOR_CLONES void smooth_any_row(const T* in, float* out, int width, const std::vector<float>& half_kernel,
                    std::vector<float>& padded) {
    const int radius = static_cast<int>(half_kernel.size()) - 1;
    padded.resize(static_cast<std::size_t>(width + 2 * radius));
    float* p = padded.data() + radius;
    for (int x = 0; x < width; ++x) p[x] = static_cast<float>(in[x]);
    for (int k = 1; k <= radius; ++k) {
        p[-k] = p[0];
        p[width - 1 + k] = p[width - 1];
    }
    smooth_padded_row(p, out, width, half_kernel);
}

template <class Out>
void smooth_any_across(const float* const* rows, Out* out, int count, const std::vector<float>& half_kernel) {
    const int radius = static_cast<int>(half_kernel.size()) - 1;
    TapPointers taps(radius);
    for (int k = 1; k <= radius; ++k) taps.before[k] = rows[radius - k], taps.after[k] = rows[radius + k];
    std::vector<float> scratch;
    apply_taps(taps.before, taps.after, rows[radius], out, count, half_kernel, scratch);
}

}  // namespace

void smooth_row(const float* in, float* out, int width, const std::vector<float>& half_kernel,
                std::vector<float>& padded) {
    smooth_any_row(in, out, width, half_kernel, padded);
}

void smooth_row(const unsigned short* in, float* out, int width, const std::vector<float>& half_kernel,
                std::vector<float>& padded) {
    smooth_any_row(in, out, width, half_kernel, padded);
}

void smooth_across(const float* const* rows, float* out, int count, const std::vector<float>& half_kernel) {
    smooth_any_across(rows, out, count, half_kernel);
}

void smooth_across(const float* const* rows, unsigned short* out, int count, const std::vector<float>& half_kernel) {
    smooth_any_across(rows, out, count, half_kernel);
}

}  // namespace ipc
