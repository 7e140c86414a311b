#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace ipc {

// One occupied grey level of an image and the number of its pixels.
struct GreyLevel {
    unsigned short value;
    std::uint64_t count;
};
using GreyLevels = std::vector<GreyLevel>;

// Histogram of 16-bit pixel values; the bins are kept between images.
class GreyHistogram {
public:
    GreyHistogram() : bins_(65536, 0) {}
    void clear() { std::fill(bins_.begin(), bins_.end(), 0); }
    // Alternate pixels are counted in two histograms, so that counting the
    // same value twice in a row (neighbours are alike) does not wait for
    // the first count; only the bins up to the largest value are merged.
    void add(const unsigned short* begin, const unsigned short* end);
    // The occupied levels in increasing order of value.
    GreyLevels occupied() const;
    // The pixel count of every value 0 .. 65535.
    const std::vector<std::uint64_t>& bins() const { return bins_; }

private:
    std::vector<std::uint64_t> bins_;
    std::vector<std::uint32_t> lanes_;  // two of 65536, zero between calls
};

// A partition of a list of levels into K classes of consecutive levels:
// K + 1 boundary indices b0 = 0 <= b1 <= ... <= bK = |L|; class i holds the
// levels with index in [b_i, b_{i+1}).
using Partition = std::vector<std::size_t>;

// One-dimensional k-means on the levels: moves every inner boundary to the
// first level not below the midpoint of the neighbouring class means, until
// nothing moves. Returns the cost sqrt(sum of count-weighted squared
// deviations from the class means) / total count.
double refine_partition(const GreyLevels& levels, Partition& partition);

// The partition of least cost found by bisecting between the lowest and the
// highest partition (see the .cpp); needs |levels| >= classes >= 2.
Partition best_partition(const GreyLevels& levels, int classes);

// The foreground threshold: the levels of the inner classes of the best
// partition are clustered again while there are more than `classes` of
// them; the threshold is the level in the middle (index n / 2) of the last
// list clustered. Needs |levels| >= classes >= 2.
unsigned short grey_threshold(const GreyLevels& levels, int classes);

}  // namespace ipc
