#include "imaging/grey_level_clustering.h"

#include <algorithm>
#include <cmath>
#include <list>

namespace ipc {

void GreyHistogram::add(const unsigned short* begin, const unsigned short* end) {
    lanes_.resize(2 * 65536);
    std::uint32_t* const even = lanes_.data();
    std::uint32_t* const odd = even + 65536;
    while (begin != end) {
        // At most 2^31 pixels a round, so that no 32-bit count overflows.
        const std::ptrdiff_t chunk = std::min<std::ptrdiff_t>(end - begin, std::ptrdiff_t{1} << 31);
        const unsigned short* const stop = begin + chunk;
        unsigned spread = 0;  // every value's bits, ORed
        const unsigned short* p = begin;
        for (; p + 1 < stop; p += 2) {
            ++even[p[0]];
            ++odd[p[1]];
            spread |= p[0] | p[1];
        }
        if (p != stop) {
            ++even[*p];
            spread |= *p;
        }
        std::size_t bins = 1;  // every value is below the power of two above the highest bit
        while (bins <= spread) bins <<= 1;
        for (std::size_t b = 0; b < bins; ++b) {
            bins_[b] += std::uint64_t{even[b]} + odd[b];
            even[b] = 0;
            odd[b] = 0;
        }
        begin = stop;
    }
}

GreyLevels GreyHistogram::occupied() const {
    GreyLevels levels;
    for (std::size_t value = 0; value < bins_.size(); ++value)
        if (bins_[value] != 0)
            levels.push_back({static_cast<unsigned short>(value), bins_[value]});
    return levels;
}

namespace {

// Prefix sums of the counts and of the count-weighted values, so that a
// class mean costs O(1) whatever the number of levels. Both sums are exact
// in 64 bits (N * 65535 < 2^64 for any image that fits in memory).
struct LevelSums {
    explicit LevelSums(const GreyLevels& levels) : count(levels.size() + 1, 0), weighted(levels.size() + 1, 0) {
        for (std::size_t i = 0; i < levels.size(); ++i) {
            count[i + 1] = count[i] + levels[i].count;
            weighted[i + 1] = weighted[i] + levels[i].count * levels[i].value;
        }
    }
    std::vector<std::uint64_t> count;
    std::vector<std::uint64_t> weighted;
};

// Count-weighted mean grey value of each class. An empty class has no mean;
// it is represented by the grey value at its boundary, which keeps the
// representatives in increasing order and never divides by zero.
void class_means(const GreyLevels& levels, const LevelSums& sums, const Partition& partition,
                 std::vector<double>& means) {
    const std::size_t classes = partition.size() - 1;
    means.resize(classes);
    for (std::size_t c = 0; c < classes; ++c) {
        const std::uint64_t count = sums.count[partition[c + 1]] - sums.count[partition[c]];
        const std::uint64_t weighted = sums.weighted[partition[c + 1]] - sums.weighted[partition[c]];
        if (count > 0)
            means[c] = static_cast<double>(weighted) / static_cast<double>(count);  // m_c = sum n v / sum n
        else
            means[c] = levels[std::min(partition[c], levels.size() - 1)].value;
    }
}

double partition_cost(const GreyLevels& levels, const Partition& partition, const std::vector<double>& means) {
    double squares = 0;
    double total = 0;
    for (std::size_t c = 0; c + 1 < partition.size(); ++c) {
        for (std::size_t i = partition[c]; i < partition[c + 1]; ++i) {
            const double deviation = levels[i].value - means[c];
            squares += static_cast<double>(levels[i].count) * deviation * deviation;
            total += static_cast<double>(levels[i].count);
        }
    }
    return total > 0 ? std::sqrt(squares) / total : 0.0;  // sqrt(sum n (v - m)^2) / N
}

double refine(const GreyLevels& levels, const LevelSums& sums, Partition& partition) {
    // Each pass assigns every level to its nearest class representative and
    // recomputes the means, so the cost never rises; a pass that moves no
    // boundary ends the refinement. The cap only guards against cycling
    // between partitions of equal cost.
    const std::size_t max_passes = 100 + 4 * levels.size();
    std::vector<double> means;
    class_means(levels, sums, partition, means);
    for (std::size_t pass = 0; pass < max_passes; ++pass) {
        bool moved = false;
        for (std::size_t j = 1; j + 1 < partition.size(); ++j) {
            const double midpoint = (means[j - 1] + means[j]) / 2;  // (m_{j-1} + m_j) / 2
            auto first = std::lower_bound(levels.begin(), levels.end(), midpoint,
                                          [](const GreyLevel& level, double m) { return level.value < m; });
            const auto boundary = static_cast<std::size_t>(first - levels.begin());
            if (boundary != partition[j]) {
                partition[j] = boundary;
                moved = true;
            }
        }
        if (!moved) break;
        class_means(levels, sums, partition, means);
    }
    return partition_cost(levels, partition, means);
}

}  // namespace

double refine_partition(const GreyLevels& levels, Partition& partition) {
    return refine(levels, LevelSums(levels), partition);
}

Partition best_partition(const GreyLevels& levels, int classes) {
    const std::size_t k = static_cast<std::size_t>(classes);
    const std::size_t n = levels.size();
    struct Candidate {
        Partition partition;
        double cost;
    };
    const LevelSums sums(levels);
    auto refined = [&levels, &sums](Partition partition) {
        double cost = refine(levels, sums, partition);
        return Candidate{std::move(partition), cost};
    };

    // The lowest partition: single levels in all classes but the last;
    // the highest: single levels in all classes but the first.
    Partition low(k + 1);
    Partition high(k + 1);
    for (std::size_t j = 0; j < k; ++j) {
        low[j] = j;
        high[j] = j == 0 ? 0 : n - k + j;
    }
    low[k] = high[k] = n;

    std::list<Candidate> candidates{refined(low), refined(high)};
    auto listed = [&candidates](const Partition& partition) {
        return std::any_of(candidates.begin(), candidates.end(),
                           [&partition](const Candidate& c) { return c.partition == partition; });
    };

    // Bisect between neighbouring candidates until no pass finds a new one.
    // A midpoint is kept when its cost differs from both neighbours'; one
    // already in the list adds nothing (and would let the list grow without
    // end), so it is not kept either.
    for (bool inserted = true; inserted;) {
        inserted = false;
        for (auto left = candidates.begin(); std::next(left) != candidates.end();) {
            auto right = std::next(left);
            Partition middle(k + 1);
            for (std::size_t j = 0; j <= k; ++j) middle[j] = (left->partition[j] + right->partition[j]) / 2;
            Candidate candidate = refined(std::move(middle));
            if (candidate.cost != left->cost && candidate.cost != right->cost && !listed(candidate.partition)) {
                candidates.insert(right, std::move(candidate));
                inserted = true;
            }
            left = right;
        }
    }

    auto best = candidates.begin();
    for (auto c = candidates.begin(); c != candidates.end(); ++c)
        if (c->cost < best->cost) best = c;  // the earliest wins a tie
    return best->partition;
}

unsigned short grey_threshold(const GreyLevels& levels, int classes) {
    const std::size_t k = static_cast<std::size_t>(classes);
    GreyLevels clustered = levels;
    for (;;) {
        const Partition partition = best_partition(clustered, classes);
        // The levels of all classes but the first and the last.
        GreyLevels inner(clustered.begin() + static_cast<std::ptrdiff_t>(partition[1]),
                         clustered.begin() + static_cast<std::ptrdiff_t>(std::max(partition[1], partition[k - 1])));
        if (inner.size() <= k) break;
        clustered = std::move(inner);
    }
    return clustered[clustered.size() / 2].value;
}

}  // namespace ipc
