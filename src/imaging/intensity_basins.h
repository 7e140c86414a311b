#pragma once
#include <cstdint>
#include <vector>

namespace ipc {

// Splits one connected region of a thresholded image by its intensities:
// each bright peak gets its own part, outlined at a share of its own
// height.
//
// The region's pixels are flooded from the brightest down (watershed by
// immersion): a pixel joins the basin of its brighter neighbours, and where
// it joins two basins the dimmer one is a peak of its own only if it rises
// above this pixel (the dip between them) by more than kSeparatingDip of its
// height; otherwise it is noise on the brighter one's slope and merges into
// it. Each basin keeps the pixels brighter than relative_threshold times its
// peak, and every connected piece of those is a part.
//
// The pixels are cells of a box (width x height x depth cells, row-major,
// slice after slice, with a margin of at least one cell on every side in x
// and y, and in z when depth > 1); cells[i] and values[i] are pixel i's cell
// and intensity, in the order of the pixels' cells (ties between equal
// intensities go by it). part[i] gets its part (0 .. parts - 1) or -1 below its
// basin's cut; returns the number of parts, numbered in the order of their
// brightest pixel. Scratch storage lives in the object.
class IntensityBasins {
public:
    static constexpr double kSeparatingDip = 0.15;

    int split(const std::vector<std::int64_t>& cells, const std::vector<unsigned short>& values, int width,
              int height, int depth, double relative_threshold, std::vector<int>& part);

private:
    // What a box cell of parent_ holds when it is not a union-find parent.
    static constexpr int kDry = -1;       // in the region, not flooded yet
    static constexpr int kOutside = -2;   // not in the region
    static constexpr int kBelowCut = -3;  // below its basin's cut (once flooded)
    static constexpr int kTaken = -4;     // numbered into a part

    int root(int c);
    // order_ = the pixels by decreasing value, ties in pixel order.
    void sort_brightest_first(const unsigned short* values, int n);
    // The immersion and the numbering of the parts, for 4 (2-D) or 6 (3-D)
    // face neighbours: a fixed count lets the neighbour loops unroll.
    template <int Steps>
    void flood(const std::int64_t* cells, const unsigned short* values, const int* step, int none);
    template <int Steps>
    int number_parts(const std::int64_t* cells, const int* step);

    std::vector<int> parent_;                // per box cell
    std::vector<unsigned short> peak_;       // per basin root cell
    std::vector<int> first_pixel_;           // per basin root cell, the pixel that began it
    std::vector<int> part_of_cell_;          // per box cell above a cut
    std::vector<int> order_;                 // the pixels, brightest first
    std::vector<int> scratch_;               // the order after the first radix pass
    std::vector<int> basin_;                 // per pixel, its basin's root cell or kBelowCut
    std::vector<int> stack_;
};

}  // namespace ipc
