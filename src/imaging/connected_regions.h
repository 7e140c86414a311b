#pragma once
#include "imaging/image.h"
#include "imaging/image_3d.h"
#include "imaging/label_equivalences.h"

namespace ipc {

// Two pixels belong to the same region when their values are equal.
template <class T>
struct Equal {
    bool operator()(const T& a, const T& b) const { return a == b; }
};

// Connected-component labelling, two passes with a union-find table.
// A pixel's provisional label goes forward to its equal neighbours that have
// none yet; where two labelled regions meet, their labels are merged. A pixel
// reached without a label takes that of an equal, labelled forward neighbour
// when there is one and otherwise opens a new label, so every provisional
// label owns at least one pixel. The first pixel of a region (in scan order)
// always opens its label, hence the final numbers follow the order in which
// regions are first met in the scan.

// 2-D, 4-connected; scan column by column (x outer, y inner), so labels are
// numbered by each region's first pixel going down the columns. Every pixel
// gets a label in 0 .. N-1; returns N.
template <class T, class Same>
int label_regions(const Image<T>& image, Same same, Image<int>& labels, LabelEquivalences& table) {
    const int width = image.width();
    const int height = image.height();
    labels.resize(width, height);
    labels.fill(-1);
    table.clear();
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            const T& value = image(x, y);
            int& here = labels(x, y);
            const bool joins_below = y + 1 < height && same(value, image(x, y + 1));
            if (here < 0) here = joins_below && labels(x, y + 1) >= 0 ? labels(x, y + 1) : table.make();
            if (joins_below) {
                int& below = labels(x, y + 1);
                if (below < 0)
                    below = here;
                else if (below != here)
                    table.merge(here, below);
            }
            // The right neighbour lies in a column not yet scanned; only this
            // pixel can have labelled it, so it is still unlabelled here.
            if (x + 1 < width && same(value, image(x + 1, y))) labels(x + 1, y) = here;
        }
    }
    const int count = table.resolve();
    for (int& label : labels) label = table.number(label);
    return count;
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
