#include "imaging/operators/background_estimate.h"

#include <algorithm>
#include <cmath>

#include "util/vector_clones.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace ipc {

namespace {

// Position of pixel coordinate c among the square centres (centre k at the
// middle of square k, the last square possibly partial): the centre at or
// before c and the weight of the next one.
void grid_position(int c, int scale, int squares, int extent, int& index, float& fraction) {
    auto centre = [&](int k) {
        const int start = k * scale;
        const int end = std::min(extent, start + scale);
        return 0.5 * (start + end - 1);
    };
    if (squares == 1 || c <= centre(0)) {
        index = 0, fraction = 0;
        return;
    }
    if (c >= centre(squares - 1)) {
        index = squares - 1, fraction = 0;
        return;
    }
    index = std::min(squares - 2, static_cast<int>((c - centre(0)) / scale));
    while (index + 1 < squares - 1 && centre(index + 1) <= c) ++index;
    fraction = static_cast<float>((c - centre(index)) / (centre(index + 1) - centre(index)));
}

// One row of subtract: each run of columns between the same two square
// centres interpolates the background between their levels a and b.
OSTREL_VECTOR_CLONES void subtract_row(const unsigned short* source, unsigned short* target,
                                       const BackgroundEstimator::Run* runs, std::size_t run_count,
                                       const float* level_row, const float* fraction, float pedestal) {
    for (std::size_t r = 0; r < run_count; ++r) {
        const BackgroundEstimator::Run& run = runs[r];
        const float a = level_row[run.left];
        const float d = level_row[run.left + 1] - a;
        for (int x = run.begin; x < run.end; ++x) {
            // out = min(65535, max(0, round(in - background + pedestal)))
            const float background = a + fraction[x] * d;
            const float v = static_cast<float>(source[x]) - background + pedestal;
            // round(v) = v + 0.5 truncated towards 0, clamped as an
            // integer (a loop of vector instructions)
            const int rounded = static_cast<int>(v + 0.5f);
            target[x] = static_cast<unsigned short>(std::clamp(rounded, 0, 65535));
        }
    }
}

}  // namespace

void BackgroundEstimator::prepare_grid(int width, int height) {
    columns_ = (width + scale_ - 1) / scale_;
    rows_ = (height + scale_ - 1) / scale_;
    left_.resize(static_cast<std::size_t>(width));
    fraction_.resize(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x) grid_position(x, scale_, columns_, width, left_[x], fraction_[x]);
    // Runs of columns between the same two centres.
    runs_.clear();
    for (int x = 0; x < width; ++x)
        if (x == 0 || left_[x] != left_[x - 1]) runs_.push_back(Run{x, x + 1, left_[x]});
        else runs_.back().end = x + 1;
    // The same at the samples, the even columns (sample i at column 2 i).
    sample_fraction_.resize(static_cast<std::size_t>(width + 1) / 2);
    sample_runs_.clear();
    for (int x = 0; x < width; x += 2) {
        sample_fraction_[x / 2] = fraction_[x];
        if (x == 0 || left_[x] != left_[x - 2]) sample_runs_.push_back(Run{x / 2, x / 2 + 1, left_[x]});
        else sample_runs_.back().end = x / 2 + 1;
    }
    top_.resize(static_cast<std::size_t>(height));
    fraction_y_.resize(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) grid_position(y, scale_, rows_, height, top_[y], fraction_y_[y]);
    level_row_.resize(static_cast<std::size_t>(columns_) + 1);
    // The samples of square column gx: even columns x0, x0 + 2, ... below
    // the square's end, sample indices x0 / 2 on.
    square_first_.resize(static_cast<std::size_t>(columns_));
    square_samples_.resize(static_cast<std::size_t>(columns_));
    for (int gx = 0; gx < columns_; ++gx) {
        const int start = gx * scale_;
        const int x0 = start + (start & 1);
        const int x1 = std::min(width, start + scale_);
        square_first_[gx] = x0 / 2;
        square_samples_[gx] = (x1 - x0 + 1) / 2;
    }
    row_sums_.resize(static_cast<std::size_t>(columns_));
    row_counts_.resize(static_cast<std::size_t>(columns_));
}

void BackgroundEstimator::level_row(const std::vector<float>& levels, int y) {
    // Between square rows: (1 - f) L[j] + f L[j + 1]; along the row the
    // runs interpolate between neighbours of this row of levels.
    const int j = top_[y];
    const float fy = fraction_y_[y];
    const float* upper = &levels[static_cast<std::size_t>(j) * columns_];
    const float* lower = j + 1 < rows_ ? upper + columns_ : upper;
    for (int i = 0; i < columns_; ++i) level_row_[i] = upper[i] + fy * (lower[i] - upper[i]);
    level_row_[columns_] = level_row_[columns_ - 1];
}

void BackgroundEstimator::sample_surface(const std::vector<float>& levels, int y, float* out) {
    level_row(levels, y);
    // The surface at the even columns only, the samples: a + f (b - a).
    for (const Run& run : sample_runs_) {
        const float a = level_row_[run.left];
        const float d = level_row_[run.left + 1] - a;
        for (int i = run.begin; i < run.end; ++i) out[i] = a + sample_fraction_[i] * d;
    }
}

void BackgroundEstimator::estimate_levels(const Image<unsigned short>& in) {
    const int width = in.width();
    const int height = in.height();
    prepare_grid(width, height);
    const std::size_t squares = static_cast<std::size_t>(columns_) * rows_;

    // Every pass reads the sample pixels only: even columns of even rows.
    // Statistics of a quarter of a square's pixels are as good, and the
    // noise of single pixels is kept (no averaging).
    auto for_each_sample_row = [&](auto&& visit) {
        for (int y = 0; y < height; y += 2) visit(y, in.row(y), static_cast<std::size_t>(y / scale_) * columns_);
    };
    // visit(gx, x0, x1) for every square of a row, x0 even (squares may be odd).
    auto for_each_square = [&](int w, auto&& visit) {
        for (int gx = 0; gx < columns_; ++gx) {
            const int start = gx * scale_;
            visit(gx, start + (start & 1), std::min(w, start + scale_));
        }
    };

    // Pass 1: the mean of every square (the first surface), and the
    // differences of pixels four apart along the rows (the noise).
    sums_.assign(squares, 0.0);
    counts_.assign(squares, 0);
    // The differences of a frame span a small part of the 65536 bins: only
    // the bins the last frame could have used are cleared, and only those
    // this one can use are merged and searched.
    deviations_.resize(2 * 65536);
    std::uint64_t* const even = deviations_.data();
    std::uint64_t* const odd = even + 65536;
    std::fill_n(even, used_bins_, 0);
    std::fill_n(odd, used_bins_, 0);
    int spread = 0;  // every difference's bits, ORed
    for_each_sample_row([&](int, const unsigned short* row, std::size_t base) {
        for_each_square(width, [&](int gx, int x0, int x1) {
            long long sum = 0;
            int x = x0;
#if defined(__SSE2__)
            // The even pixels of eight at a time, while the eight lie inside
            // the row.
            __m128i sums = _mm_setzero_si128();
            // A lane's 32-bit sum holds 32768 samples at most: wider squares
            // take the plain loop.
            const bool lanes_hold = x1 - x0 <= 8 * 32768;
            for (; lanes_hold && x + 8 <= x1 && x + 8 <= width; x += 8)
                sums = _mm_add_epi32(sums, _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x)),
                                                         _mm_set1_epi32(0xffff)));
            alignas(16) int lane_sums[4];
            _mm_store_si128(reinterpret_cast<__m128i*>(lane_sums), sums);
            sum = static_cast<long long>(lane_sums[0]) + lane_sums[1] + lane_sums[2] + lane_sums[3];
#endif
            for (; x < x1; x += 2) sum += row[x];
            sums_[base + gx] += static_cast<double>(sum);
            counts_[base + gx] += (x1 - x0 + 1) / 2;
        });
        // Two histograms, for alternate samples, so that counting the same
        // difference twice in a row does not wait for the first count.
        int x = 0;
        for (; x + 2 + kNoiseLag < width; x += 4) {
            const int a = std::abs(row[x + kNoiseLag] - row[x]);
            const int b = std::abs(row[x + 2 + kNoiseLag] - row[x + 2]);
            ++even[a];
            ++odd[b];
            spread |= a | b;
        }
        for (; x + kNoiseLag < width; x += 2) {
            const int a = std::abs(row[x + kNoiseLag] - row[x]);
            ++even[a];
            spread |= a;
        }
    });
    // Every difference is below the power of two above their highest bit.
    std::size_t bins = 1;
    while (bins <= static_cast<std::size_t>(spread)) bins <<= 1;
    used_bins_ = bins;
    levels_.resize(squares);
    for (std::size_t k = 0; k < squares; ++k) levels_[k] = counts_[k] ? static_cast<float>(sums_[k] / counts_[k]) : 0;
    fill_empty_squares();
    // d = a - b of two independent pixels has standard deviation s sqrt(2)
    // and median |d| = 0.6745 s sqrt(2): s = 1.4826 median |d| / sqrt(2).
    for (std::size_t b = 0; b < bins; ++b) even[b] += odd[b];
    noise_ = 1.4826 * median_bin(even, bins) / std::sqrt(2.0);

    // Pass 2: the mean residual from the surface of the pixels below it:
    // the background's mean lies 0.8 s above it (the mean of the lower half
    // of a normal distribution is 0.8 s below its mean), cells or not.
    // Each square's residuals along a row are summed in single precision in
    // the order of their columns; the squares of a row are summed side by
    // side (sample j of every square, then sample j + 1), so that the sums
    // do not wait for one another.
    const int fewest = *std::min_element(square_samples_.begin(), square_samples_.end());
    const int most = *std::max_element(square_samples_.begin(), square_samples_.end());
    auto residual_row = [&](const unsigned short* row, const float* surface, std::size_t base) {
        std::fill(row_sums_.begin(), row_sums_.end(), 0.0f);
        std::fill(row_counts_.begin(), row_counts_.end(), 0);
        auto add = [&](int gx, int j) {
            const int i = square_first_[gx] + j;
            const float residual = row[2 * i] - surface[i];
            row_sums_[gx] += std::min(residual, 0.0f);  // the residual when below the surface, else 0
            row_counts_[gx] += residual <= 0;
        };
        int gx0 = 0;
#if defined(__SSE2__)
        // Four squares side by side in one vector, each lane adding its
        // square's residuals in the same order as `add`: the same sums.
        const __m128 zero = _mm_setzero_ps();
        for (; gx0 + 4 <= columns_; gx0 += 4) {
            const int* first = &square_first_[gx0];
            __m128 sum = zero;
            __m128i count = _mm_setzero_si128();
            for (int j = 0; j < fewest; ++j) {
                const int i0 = first[0] + j, i1 = first[1] + j, i2 = first[2] + j, i3 = first[3] + j;
                const __m128 value = _mm_set_ps(row[2 * i3], row[2 * i2], row[2 * i1], row[2 * i0]);
                const __m128 below = _mm_set_ps(surface[i3], surface[i2], surface[i1], surface[i0]);
                const __m128 residual = _mm_sub_ps(value, below);
                sum = _mm_add_ps(sum, _mm_min_ps(residual, zero));
                // the mask is -1 where residual <= 0
                count = _mm_sub_epi32(count, _mm_castps_si128(_mm_cmple_ps(residual, zero)));
            }
            _mm_storeu_ps(&row_sums_[gx0], sum);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(&row_counts_[gx0]), count);
        }
#endif
        for (int j = 0; j < fewest; ++j)
            for (int gx = gx0; gx < columns_; ++gx) add(gx, j);
        for (int j = fewest; j < most; ++j)
            for (int gx = 0; gx < columns_; ++gx)
                if (j < square_samples_[gx]) add(gx, j);
        for (int gx = 0; gx < columns_; ++gx) {
            sums_[base + gx] += row_sums_[gx];
            counts_[base + gx] += row_counts_[gx];
        }
    };

    // Pass 3: each square's level is the mean of its pixels no higher than
    // 2 s above that background mean: the background with the cells (and
    // most of their rims) left out.
    auto low_row = [&](const unsigned short* row, const float* surface, std::size_t base) {
        for (int gx = 0; gx < columns_; ++gx) {
            const float ceiling = ceilings_[base + gx];
            const int i0 = square_first_[gx];
            const int i1 = i0 + square_samples_[gx];
            long long sum = 0;
            int count = 0;
            int i = i0;
#if defined(__SSE2__)
            // Four samples a step: the even pixels of eight, kept while the
            // eight lie inside the row.
            const __m128i even_pixels = _mm_set1_epi32(0xffff);
            const __m128 limit = _mm_set1_ps(ceiling);
            __m128i sums = _mm_setzero_si128(), counts = _mm_setzero_si128();
            const bool lanes_hold = i1 - i0 <= 4 * 32768;  // 32768 samples a lane at most
            for (; lanes_hold && i + 4 <= i1 && 2 * i + 8 <= width; i += 4) {
                const __m128i pixels = _mm_and_si128(
                    _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + 2 * i)), even_pixels);
                const __m128 residual = _mm_sub_ps(_mm_cvtepi32_ps(pixels), _mm_loadu_ps(surface + i));
                const __m128i low = _mm_castps_si128(_mm_cmple_ps(residual, limit));
                sums = _mm_add_epi32(sums, _mm_and_si128(pixels, low));
                counts = _mm_sub_epi32(counts, low);
            }
            alignas(16) int lane_sums[4], lane_counts[4];
            _mm_store_si128(reinterpret_cast<__m128i*>(lane_sums), sums);
            _mm_store_si128(reinterpret_cast<__m128i*>(lane_counts), counts);
            for (int l = 0; l < 4; ++l) sum += lane_sums[l], count += lane_counts[l];
#endif
            for (; i < i1; ++i) {
                const bool low = row[2 * i] - surface[i] <= ceiling;
                sum += low ? row[2 * i] : 0;
                count += low;
            }
            sums_[base + gx] += static_cast<double>(sum);
            counts_[base + gx] += count;
        }
    };

    // The two passes go one row of squares at a time: a square's ceiling
    // needs only its own residuals, so the third pass runs on sample rows
    // still in the cache, with the surface interpolated once. The sums are
    // those of two passes over the whole image.
    ceilings_.resize(squares);
    sums_.assign(squares, 0.0);
    counts_.assign(squares, 0);
    const std::size_t samples = sample_fraction_.size();  // per row
    for (int gy = 0; gy < rows_; ++gy) {
        const int first_row = gy * scale_ + ((gy * scale_) & 1);  // the square row's first even row
        const int end_row = std::min(height, (gy + 1) * scale_);
        const std::size_t base = static_cast<std::size_t>(gy) * columns_;
        surfaces_.resize(static_cast<std::size_t>((end_row - first_row + 1) / 2) * samples);
        for (int y = first_row, r = 0; y < end_row; y += 2, ++r) {
            float* surface = &surfaces_[static_cast<std::size_t>(r) * samples];
            sample_surface(levels_, y, surface);
            residual_row(in.row(y), surface, base);
        }
        for (std::size_t k = base; k < base + static_cast<std::size_t>(columns_); ++k) {
            ceilings_[k] = static_cast<float>((counts_[k] ? sums_[k] / counts_[k] : 0.0) + (0.8 + 2.0) * noise_);
            sums_[k] = 0.0;
            counts_[k] = 0;
        }
        for (int y = first_row, r = 0; y < end_row; y += 2, ++r)
            low_row(in.row(y), &surfaces_[static_cast<std::size_t>(r) * samples], base);
    }
    // A square that cells fill keeps its mean.
    for (std::size_t k = 0; k < squares; ++k)
        if (counts_[k]) levels_[k] = static_cast<float>(sums_[k] / counts_[k]);
    pedestal_ = static_cast<float>(3.0 * noise_);
}

void BackgroundEstimator::fill_empty_squares() {
    // A last square one pixel wide or high holds no sample: it takes the
    // level of its neighbour before it.
    for (int gy = 0; gy < rows_; ++gy)
        for (int gx = 0; gx < columns_; ++gx) {
            const std::size_t k = static_cast<std::size_t>(gy) * columns_ + gx;
            if (counts_[k]) continue;
            if (gx > 0)
                levels_[k] = levels_[k - 1];
            else if (gy > 0)
                levels_[k] = levels_[k - columns_];
        }
}

double BackgroundEstimator::median_bin(const std::uint64_t* histogram, std::size_t bins) {
    std::uint64_t total = 0;
    for (std::size_t b = 0; b < bins; ++b) total += histogram[b];
    std::uint64_t seen = 0;
    for (std::size_t b = 0; b < bins; ++b) {
        seen += histogram[b];
        if (2 * seen >= total && total > 0) return static_cast<double>(b);
    }
    return 0;
}

void BackgroundEstimator::subtract(const Image<unsigned short>& in, Image<unsigned short>& out) {
    out.resize_for_overwrite(in.width(), in.height());  // the runs cover every pixel
    if (in.empty()) return;
    estimate_levels(in);
    for (int y = 0; y < in.height(); ++y) {
        level_row(levels_, y);
        subtract_row(in.row(y), out.row(y), runs_.data(), runs_.size(), level_row_.data(), fraction_.data(), pedestal_);
    }
}

}  // namespace ipc
