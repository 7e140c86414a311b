#include "imaging/intensity_basins.h"

#include <algorithm>

namespace ipc {

int IntensityBasins::root(int i) {
    while (parent_[i] != i) i = parent_[i] = parent_[parent_[i]];
    return i;
}

int IntensityBasins::split(const std::vector<std::int64_t>& cells, const std::vector<unsigned short>& values,
                           int width, int height, int depth, double relative_threshold, std::vector<int>& part) {
    const int n = static_cast<int>(cells.size());
    const std::int64_t row = width;
    const std::int64_t slice = static_cast<std::int64_t>(width) * height;
    local_.assign(static_cast<std::size_t>(slice * depth), -1);
    for (int i = 0; i < n; ++i) local_[cells[i]] = i;
    // The face neighbours of every pixel in the region, through their
    // cells, listed once: -x, +x, -y, +y (-z, +z).
    const int most = depth == 1 ? 4 : 6;
    neighbours_.resize(static_cast<std::size_t>(n) * most);
    neighbour_count_.resize(n);
    for (int i = 0; i < n; ++i) {
        int* list = &neighbours_[static_cast<std::size_t>(i) * most];
        int count = 0;
        const std::int64_t c = cells[i];
        const std::int64_t around[6] = {c - 1, c + 1, c - row, c + row, c - slice, c + slice};
        for (int k = 0; k < most; ++k) {
            const int m = local_[around[k]];
            list[count] = m;
            count += m >= 0;
        }
        neighbour_count_[i] = count;
    }
    auto neighbours_of = [&](int i) { return &neighbours_[static_cast<std::size_t>(i) * most]; };

    // Immersion, brightest first (ties in pixel order, for a fixed result):
    // a stable radix sort of the keys 65535 - value, a byte at a time.
    order_.resize(n);
    scratch_.resize(n);
    for (int i = 0; i < n; ++i) scratch_[i] = i;
    for (const int shift : {0, 8}) {
        int start[257] = {};
        for (int i = 0; i < n; ++i) ++start[((65535 - values[i]) >> shift & 0xff) + 1];
        for (int b = 0; b < 256; ++b) start[b + 1] += start[b];
        for (const int i : scratch_) order_[start[(65535 - values[i]) >> shift & 0xff]++] = i;
        if (shift == 0) order_.swap(scratch_);
    }
    parent_.assign(n, -1);
    peak_.assign(n, 0);
    int roots[6];
    for (const int i : order_) {
        const unsigned short v = values[i];
        int found = 0;
        const int* neighbours = neighbours_of(i);
        for (int k = 0; k < neighbour_count_[i]; ++k) {
            if (parent_[neighbours[k]] < 0) continue;  // not flooded yet
            const int r = root(neighbours[k]);
            if (std::find(roots, roots + found, r) == roots + found) roots[found++] = r;
        }
        if (found <= 1) {
            // A new basin, or the slope of the one around.
            parent_[i] = found == 0 ? i : roots[0];
            if (found == 0) peak_[i] = v;
            continue;
        }
        // The brightest basin takes the pixel; dimmer ones that do not rise
        // above it by the separating dip join that basin.
        const int main = *std::max_element(roots, roots + found, [&](int a, int b) {
            return peak_[a] != peak_[b] ? peak_[a] < peak_[b] : a > b;
        });
        for (int k = 0; k < found; ++k)
            if (roots[k] != main && peak_[roots[k]] - v < kSeparatingDip * peak_[roots[k]]) parent_[roots[k]] = main;
        parent_[i] = main;
    }

    // Each pixel's basin, and whether it lies above the basin's cut.
    basin_.resize(n);
    above_.resize(n);
    for (int i = 0; i < n; ++i) {
        basin_[i] = root(i);
        above_[i] = values[i] > relative_threshold * peak_[basin_[i]];
    }
    // Parts: connected pieces above each basin's cut, in order of their
    // brightest pixel (the order of the flooding).
    part.assign(n, -1);
    std::vector<char>& done = done_;
    done.assign(static_cast<std::size_t>(n), 0);
    int parts = 0;
    for (const int start : order_) {
        if (done[start] || !above_[start]) continue;  // below: the rest of its basin is dimmer
        const int basin = basin_[start];
        stack_.assign(1, start);
        done[start] = 1;
        while (!stack_.empty()) {
            const int i = stack_.back();
            stack_.pop_back();
            part[i] = parts;
            const int* neighbours = neighbours_of(i);
            for (int k = 0; k < neighbour_count_[i]; ++k) {
                const int m = neighbours[k];
                if (done[m] || basin_[m] != basin || !above_[m]) continue;
                done[m] = 1;
                stack_.push_back(m);
            }
        }
        ++parts;
    }
    return parts;
}

}  // namespace ipc
