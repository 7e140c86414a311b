#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/image.h"

namespace ipc {

// Uneven illumination removed by subtracting a smooth background estimate.
// The image is cut into squares of `scale` x `scale` pixels, and levels
// placed at the squares' centres are interpolated bilinearly to every pixel
// (held constant beyond the outer centres):
//  1. the square means give a first surface, which follows the illumination
//     but is raised where cells are; the noise level s is measured from the
//     differences of pixels four apart along the rows (1.4826 times their
//     median size over sqrt 2: cells and slow shading hardly move it, and
//     four pixels are beyond the reach of a light smoothing);
//  2. in each square the mean residual of the pixels below the surface,
//     plus 0.8 s, is the background's mean (the lower half of a normal
//     distribution lies 0.8 s below its mean on average; with cells in the
//     square all of the background lies below the surface, a little more);
//  3. each square's level is the mean of its pixels no higher than 2 s above
//     that: the background with the cells, and most of their rims, left
//     out. A square that cells fill keeps its mean.
// The statistics use every other pixel of every other row, a quarter of
// the image. out = min(65535, max(0, round(in - background + 3 s))): the background
// comes out at a pedestal of three times its noise, so that it is not
// clipped at 0 (a spike there would mislead histogram thresholds); values
// beyond 65535 saturate.
class BackgroundEstimator {
public:
    explicit BackgroundEstimator(int scale) : scale_(scale) {}

    void subtract(const Image<unsigned short>& in, Image<unsigned short>& out);

    // The background levels of the squares of the last image (row-major,
    // ceil(width / scale) per row).
    const std::vector<float>& levels() const { return levels_; }
    // The last image's noise level s and the pedestal 3 s added back.
    double noise() const { return noise_; }

    // Columns begin .. end - 1, whose background lies between the square
    // centres left and left + 1.
    struct Run {
        int begin, end, left;
    };
    float pedestal() const { return pedestal_; }

private:
    void prepare_grid(int width, int height);
    void estimate_levels(const Image<unsigned short>& in);
    void fill_empty_squares();
    static constexpr int kNoiseLag = 4;
    // The median bin of histogram[0 .. bins).
    static double median_bin(const std::uint64_t* histogram, std::size_t bins);
    // level_row_ = the levels interpolated between the square rows around
    // pixel row y.
    void level_row(const std::vector<float>& levels, int y);
    // The levels interpolated to the samples of row y (its even columns),
    // into out (one value per sample).
    void sample_surface(const std::vector<float>& levels, int y, float* out);

    int scale_;
    int columns_ = 0;
    int rows_ = 0;
    std::vector<float> levels_;
    // Two histograms of 65536 bins, zero beyond the first used_bins_ of each.
    std::vector<std::uint64_t> deviations_;
    std::size_t used_bins_ = 0;
    std::vector<float> ceilings_;
    double noise_ = 0;
    float pedestal_ = 0;
    std::vector<double> sums_;
    std::vector<long long> counts_;
    std::vector<int> left_;        // per pixel column: grid column at or left of it
    std::vector<float> fraction_;  // and its weight towards the next one
    std::vector<Run> runs_;        // columns with the same left centre
    std::vector<float> sample_fraction_;  // the weights at the samples (even columns)
    std::vector<Run> sample_runs_;        // the runs, in samples
    std::vector<int> top_;         // the same per pixel row
    std::vector<float> fraction_y_;
    std::vector<float> level_row_;
    std::vector<float> surfaces_;       // the sample rows of one row of squares
    std::vector<int> square_first_;     // per square column: its first sample
    std::vector<int> square_samples_;   // and how many samples it has in a row
    std::vector<float> row_sums_;       // per square column, over one row
    std::vector<int> row_counts_;
};

}  // namespace ipc
