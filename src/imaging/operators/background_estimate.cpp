#include "imaging/operators/background_estimate.h"

#include <algorithm>
#include <cmath>

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
    top_.resize(static_cast<std::size_t>(height));
    fraction_y_.resize(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) grid_position(y, scale_, rows_, height, top_[y], fraction_y_[y]);
    level_row_.resize(static_cast<std::size_t>(columns_) + 1);
    background_row_.resize(static_cast<std::size_t>(width));
}

const float* BackgroundEstimator::interpolated_row(const std::vector<float>& levels, int y) {
    // Between square rows first: (1 - f) L[j] + f L[j + 1] ...
    const int j = top_[y];
    const float fy = fraction_y_[y];
    const float* upper = &levels[static_cast<std::size_t>(j) * columns_];
    const float* lower = j + 1 < rows_ ? upper + columns_ : upper;
    for (int i = 0; i < columns_; ++i) level_row_[i] = upper[i] + fy * (lower[i] - upper[i]);
    level_row_[columns_] = level_row_[columns_ - 1];
    // ... then along the row, a run at a time (a loop the compiler
    // vectorises).
    for (const Run& run : runs_) {
        const float a = level_row_[run.left];
        const float d = level_row_[run.left + 1] - a;
        for (int x = run.begin; x < run.end; ++x) background_row_[x] = a + fraction_[x] * d;
    }
    return background_row_.data();
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
    deviations_.assign(65536, 0);
    for_each_sample_row([&](int, const unsigned short* row, std::size_t base) {
        for_each_square(width, [&](int gx, int x0, int x1) {
            long long sum = 0;
            for (int x = x0; x < x1; x += 2) sum += row[x];
            sums_[base + gx] += static_cast<double>(sum);
            counts_[base + gx] += (x1 - x0 + 1) / 2;
        });
        for (int x = 0; x + kNoiseLag < width; x += 2) ++deviations_[std::abs(row[x + kNoiseLag] - row[x])];
    });
    levels_.resize(squares);
    for (std::size_t k = 0; k < squares; ++k) levels_[k] = counts_[k] ? static_cast<float>(sums_[k] / counts_[k]) : 0;
    fill_empty_squares();
    // d = a - b of two independent pixels has standard deviation s sqrt(2)
    // and median |d| = 0.6745 s sqrt(2): s = 1.4826 median |d| / sqrt(2).
    noise_ = 1.4826 * median_bin(deviations_) / std::sqrt(2.0);

    // Pass 2: the mean residual from the surface of the pixels below it:
    // the background's mean lies 0.8 s above it (the mean of the lower half
    // of a normal distribution is 0.8 s below its mean), cells or not.
    sums_.assign(squares, 0.0);
    counts_.assign(squares, 0);
    for_each_sample_row([&](int y, const unsigned short* row, std::size_t base) {
        const float* surface = interpolated_row(levels_, y);
        for_each_square(width, [&](int gx, int x0, int x1) {
            float sum = 0;
            int count = 0;
            for (int x = x0; x < x1; x += 2) {
                const float residual = row[x] - surface[x];
                const bool below = residual <= 0;
                sum += below ? residual : 0.0f;
                count += below;
            }
            sums_[base + gx] += sum;
            counts_[base + gx] += count;
        });
    });
    ceilings_.resize(squares);
    for (std::size_t k = 0; k < squares; ++k)
        ceilings_[k] = static_cast<float>((counts_[k] ? sums_[k] / counts_[k] : 0.0) + (0.8 + 2.0) * noise_);

    // Pass 3: each square's level is the mean of its pixels no higher than
    // 2 s above that background mean: the background with the cells (and
    // most of their rims) left out.
    sums_.assign(squares, 0.0);
    counts_.assign(squares, 0);
    for_each_sample_row([&](int y, const unsigned short* row, std::size_t base) {
        const float* surface = interpolated_row(levels_, y);
        for_each_square(width, [&](int gx, int x0, int x1) {
            const float ceiling = ceilings_[base + gx];
            long long sum = 0;
            int count = 0;
            for (int x = x0; x < x1; x += 2) {
                const bool low = row[x] - surface[x] <= ceiling;
                sum += low ? row[x] : 0;
                count += low;
            }
            sums_[base + gx] += static_cast<double>(sum);
            counts_[base + gx] += count;
        });
    });
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

double BackgroundEstimator::median_bin(const std::vector<std::uint64_t>& histogram) {
    std::uint64_t total = 0;
    for (const std::uint64_t count : histogram) total += count;
    std::uint64_t seen = 0;
    for (std::size_t b = 0; b < histogram.size(); ++b) {
        seen += histogram[b];
        if (2 * seen >= total && total > 0) return static_cast<double>(b);
    }
    return 0;
}

void BackgroundEstimator::subtract(const Image<unsigned short>& in, Image<unsigned short>& out) {
    out.resize(in.width(), in.height());
    if (in.empty()) return;
    estimate_levels(in);
    for (int y = 0; y < in.height(); ++y) {
        const float* background = interpolated_row(levels_, y);
        const unsigned short* source = in.row(y);
        unsigned short* target = out.row(y);
        // out = max(0, round(in - background + pedestal))
        for (int x = 0; x < in.width(); ++x) {
            const float v = static_cast<float>(source[x]) - background[x] + pedestal_;
            target[x] = v > 0 ? static_cast<unsigned short>(v + 0.5f) : 0;
        }
    }
}

}  // namespace ipc
