#include "imaging/intensity_basins.h"

#include <algorithm>
#include <limits>
#include <string>

#include "util/exception.h"

namespace ipc {

int IntensityBasins::root(int c) {
    while (parent_[c] != c) c = parent_[c] = parent_[parent_[c]];
    return c;
}

void IntensityBasins::sort_brightest_first(const unsigned short* values, int n) {
    // A stable radix sort of the keys 65535 - value, low byte then high
    // byte, both bytes counted in one pass.
    order_.resize(n);
    scratch_.resize(n);
    int low[257] = {}, high[257] = {};
    for (int i = 0; i < n; ++i) {
        const int key = 65535 - values[i];
        ++low[(key & 0xff) + 1];
        ++high[(key >> 8) + 1];
    }
    for (int b = 0; b < 256; ++b) {
        low[b + 1] += low[b];
        high[b + 1] += high[b];
    }
    for (int i = 0; i < n; ++i) scratch_[low[(65535 - values[i]) & 0xff]++] = i;
    for (const int i : scratch_) order_[high[(65535 - values[i]) >> 8]++] = i;
}

// Immersion, brightest first (ties in pixel order, for a fixed result).
template <int Steps>
void IntensityBasins::flood(const std::int64_t* cells, const unsigned short* values, const int* steps, int none) {
    // The offsets as locals, kept in registers across the loop.
    int step[Steps];
    std::copy(steps, steps + Steps, step);
    // Of two basins with the same peak the one whose first pixel comes
    // earlier in pixel order counts as the brighter.
    auto brighter = [&](int a, int b) {
        return peak_[a] != peak_[b] ? peak_[a] > peak_[b] : first_pixel_[a] < first_pixel_[b];
    };
    int roots[6];
    for (const int i : order_) {
        const int c = static_cast<int>(cells[i]);
        const unsigned short v = values[i];
        // The neighbours' roots; when they agree (the usual case: the slope
        // of one basin) their lowest and highest are the same.
        int lowest = none, highest = -1;
#pragma GCC unroll 6
        for (int k = 0; k < Steps; ++k) {
            // Written without conditions: flooded or not is as likely as
            // not, and a mispredicted branch costs more than this arithmetic.
            const int p = parent_[c + step[k]];
            const int dry = -static_cast<int>(p < 0);  // all ones when p < 0
            const int r = root((p & ~dry) | (none & dry));
            lowest = std::min(lowest, r);
            highest = std::max(highest, (r & ~dry) | dry);  // -1 for a dry neighbour
        }
        int found = 0;
        if (highest >= 0) {
            roots[found++] = highest;
            if (lowest != highest)
                for (int k = 0; k < Steps; ++k) {
                    const int p = parent_[c + step[k]];
                    if (p < 0) continue;  // outside, or not flooded yet
                    const int r = root(p);
                    if (std::find(roots, roots + found, r) == roots + found) roots[found++] = r;
                }
        }
        if (found <= 1) {
            // A new basin, or the slope of the one around.
            if (found == 0) {
                parent_[c] = c;
                peak_[c] = v;
                first_pixel_[c] = i;
            } else {
                parent_[c] = roots[0];
            }
            continue;
        }
        // The brightest basin takes the pixel; dimmer ones that do not rise
        // above it by the separating dip join that basin.
        int main = roots[0];
        for (int k = 1; k < found; ++k)
            if (brighter(roots[k], main)) main = roots[k];
        for (int k = 0; k < found; ++k)
            if (roots[k] != main && peak_[roots[k]] - v < kSeparatingDip * peak_[roots[k]]) parent_[roots[k]] = main;
        parent_[c] = main;
    }
}

template <int Steps>
int IntensityBasins::number_parts(const std::int64_t* cells, const int* step) {
    // Parts: connected pieces above each basin's cut, in order of their
    // brightest pixel (the order of the flooding).
    part_of_cell_.resize(parent_.size());
    int parts = 0;
    for (const int start : order_) {
        const int s = static_cast<int>(cells[start]);
        const int basin = parent_[s];
        if (basin < 0) continue;  // numbered already, or below: the rest of its basin is dimmer
        stack_.assign(1, s);
        parent_[s] = kTaken;
        while (!stack_.empty()) {
            const int c = stack_.back();
            stack_.pop_back();
            part_of_cell_[c] = parts;
            for (int k = 0; k < Steps; ++k) {
                const int m = c + step[k];
                if (parent_[m] != basin) continue;
                parent_[m] = kTaken;
                stack_.push_back(m);
            }
        }
        ++parts;
    }
    return parts;
}

int IntensityBasins::split(const std::vector<std::int64_t>& cells, const std::vector<unsigned short>& values,
                           int width, int height, int depth, double relative_threshold, std::vector<int>& part) {
    const std::int64_t box_cells = static_cast<std::int64_t>(width) * height * depth;
    if (box_cells >= std::numeric_limits<int>::max())
        throw util::Exception("object too large to split by intensity: its bounding box holds " +
                              std::to_string(box_cells) + " pixels");
    const int n = static_cast<int>(cells.size());
    const int row = width;
    const int slice = width * height;
    const int step[6] = {-1, 1, -row, row, -slice, slice};
    // The flooding works on the box's cells, so that a pixel's neighbours are
    // found by offsets: parent_ holds kOutside outside the region, kDry for
    // region cells not flooded yet, and otherwise the cell's union-find parent.
    parent_.assign(static_cast<std::size_t>(box_cells) + 1, kOutside);
    for (int i = 0; i < n; ++i) parent_[cells[i]] = kDry;
    peak_.resize(parent_.size());
    first_pixel_.resize(parent_.size());

    sort_brightest_first(values.data(), n);
    // The cell past the box is a root of its own: a neighbour that is not
    // flooded (or outside) stands for it, so that finding the neighbours'
    // roots takes no branch on what they are.
    const int none = static_cast<int>(box_cells);
    parent_[none] = none;
    if (depth == 1)
        flood<4>(cells.data(), values.data(), step, none);
    else
        flood<6>(cells.data(), values.data(), step, none);

    // Each pixel's basin, and whether it lies above the basin's cut.
    basin_.resize(n);
    for (int i = 0; i < n; ++i) {
        const int b = root(static_cast<int>(cells[i]));
        // Without a branch: near the cut either side is as likely.
        const int above = -static_cast<int>(values[i] > relative_threshold * peak_[b]);  // all ones when above
        basin_[i] = (b & above) | (kBelowCut & ~above);
    }
    // From here on a region cell holds its basin when above the cut, and
    // kBelowCut otherwise; a part's cells become kTaken once numbered.
    for (int i = 0; i < n; ++i) parent_[cells[i]] = basin_[i];
    const int parts = depth == 1 ? number_parts<4>(cells.data(), step) : number_parts<6>(cells.data(), step);
    part.resize(n);
    for (int i = 0; i < n; ++i) {
        const int k = part_of_cell_[cells[i]];  // read either way, chosen without a branch
        part[i] = basin_[i] == kBelowCut ? -1 : k;
    }
    return parts;
}

}  // namespace ipc
