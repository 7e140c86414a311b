#pragma once
#include <algorithm>
#include <vector>

#include "imaging/image.h"
#include "imaging/image_3d.h"
#include "imaging/label_equivalences.h"

namespace ipc {

// Two pixels belong to the same region when their values are equal.
template <class T>
struct Equal {
    bool operator()(const T& a, const T& b) const { return a == b; }
};

// Connected-component labelling with a union-find table. A pixel takes the
// provisional label of an equal neighbour already scanned, or opens a new
// one, so every provisional label owns at least one pixel; where two labelled
// regions meet, their labels are merged.

// 2-D, 4-connected. Labels are numbered by each region's first pixel going
// down the columns (x outer, y inner). The image is stored row by row, so
// the scan itself runs along the rows, where memory is contiguous, and the
// column order is restored afterwards: every region remembers its smallest
// column-major index x * height + y, and the regions are ranked by it.
// Every pixel gets a label in 0 .. N-1; returns N.
template <class T, class Same>
int label_regions(const Image<T>& image, Same same, Image<int>& labels, LabelEquivalences& table,
                  std::vector<long long>& first_pixel, std::vector<int>& rank) {
    const int width = image.width();
    const int height = image.height();
    labels.resize(width, height);
    table.clear();
    // Pass 1: provisional labels from the left and upper neighbours.
    for (int y = 0; y < height; ++y) {
        const T* values = image.row(y);
        const T* values_above = y > 0 ? image.row(y - 1) : nullptr;
        int* here = labels.row(y);
        const int* above = y > 0 ? labels.row(y - 1) : nullptr;
        for (int x = 0; x < width; ++x) {
            const bool joins_left = x > 0 && same(values[x], values[x - 1]);
            const bool joins_above = values_above && same(values[x], values_above[x]);
            if (joins_left) {
                here[x] = here[x - 1];
                if (joins_above && above[x] != here[x]) table.merge(here[x], above[x]);
            } else {
                here[x] = joins_above ? above[x] : table.make();
            }
        }
    }
    const int count = table.resolve();
    // Pass 2: final region numbers in row-major order of first pixel, and
    // each region's first pixel in column-major order.
    first_pixel.assign(count, static_cast<long long>(width) * height);
    for (int y = 0; y < height; ++y) {
        int* here = labels.row(y);
        for (int x = 0; x < width; ++x) {
            const int region = table.number(here[x]);
            here[x] = region;
            const long long column_major = static_cast<long long>(x) * height + y;
            if (column_major < first_pixel[region]) first_pixel[region] = column_major;
        }
    }
    // Rank the regions by their column-major first pixel (all distinct).
    std::vector<int>& order = rank;
    order.resize(count);
    for (int r = 0; r < count; ++r) order[r] = r;
    std::sort(order.begin(), order.end(), [&](int a, int b) { return first_pixel[a] < first_pixel[b]; });
    // rank[region] = position of region in that order; first_pixel is free
    // again and holds it.
    for (int position = 0; position < count; ++position) first_pixel[order[position]] = position;
    // Pass 3: the column-major numbers.
    for (int& label : labels) label = static_cast<int>(first_pixel[label]);
    return count;
}

// The same with scratch storage of its own.
template <class T, class Same>
int label_regions(const Image<T>& image, Same same, Image<int>& labels, LabelEquivalences& table) {
    std::vector<long long> first_pixel;
    std::vector<int> rank;
    return label_regions(image, same, labels, table, first_pixel, rank);
}

// 3-D, 6-connected; scan slice by slice, row by row, column by column (z
// outer, x inner), so labels are numbered by first voxel in that order.
template <class T, class Same>
int label_regions_3d(const Image3d<T>& image, Same same, Image3d<int>& labels,
                     LabelEquivalences& table) {
    const int width = image.width();
    const int height = image.height();
    const int depth = image.depth();
    labels.resize(width, height, depth);
    labels.fill(-1);
    table.clear();

    // Joins the voxel labelled `here` with an equal forward neighbour.
    auto join = [&table](int here, int& neighbour) {
        if (neighbour < 0)
            neighbour = here;
        else if (neighbour != here)
            table.merge(here, neighbour);
    };

    for (int z = 0; z < depth; ++z) {
        const Image<T>& slice = image.slice(z);
        Image<int>& slice_labels = labels.slice(z);
        const Image<T>* next_slice = z + 1 < depth ? &image.slice(z + 1) : nullptr;
        Image<int>* next_labels = z + 1 < depth ? &labels.slice(z + 1) : nullptr;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const T& value = slice(x, y);
                int* forward[3];
                int joined = 0;
                if (x + 1 < width && same(value, slice(x + 1, y))) forward[joined++] = &slice_labels(x + 1, y);
                if (y + 1 < height && same(value, slice(x, y + 1))) forward[joined++] = &slice_labels(x, y + 1);
                if (next_slice && same(value, (*next_slice)(x, y))) forward[joined++] = &(*next_labels)(x, y);

                int& here = slice_labels(x, y);
                if (here < 0) {
                    for (int i = 0; i < joined && here < 0; ++i)
                        if (*forward[i] >= 0) here = *forward[i];
                    if (here < 0) here = table.make();
                }
                for (int i = 0; i < joined; ++i) join(here, *forward[i]);
            }
        }
    }
    const int count = table.resolve();
    for (Image<int>& slice_labels : labels.slices())
        for (int& label : slice_labels) label = table.number(label);
    return count;
}

}  // namespace ipc
