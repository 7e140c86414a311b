#pragma once
#include <cstdint>
#include <vector>

#include "imaging/intensity_basins.h"

namespace ipc {

// What the object segmentation does to a foreground mask (see
// ObjectSegmenter).
struct ObjectSegmentationParameters {
    bool fill_holes = true;
    std::int64_t minimum_size = 0;  // pixels (voxels); smaller objects are dropped
    double seed_distance = 0;       // pixels; 0: touching objects are not split
    double neck_ratio = 0.7;        // split where the neck is narrower than this share
    std::int64_t maximum_size = 0;  // pixels; parts never join beyond it (0: no limit)
    double relative_threshold = 0;  // keep pixels above this share of the object's peak; 0: all
};

// Turns a foreground mask into numbered objects, one implementation for
// 2-D images (depth 1) and 3-D stacks:
//  1. objects are the face-connected (4- or 6-connected) foreground regions;
//     given the intensities and a relative_threshold r > 0, each region is
//     split into its bright peaks, each outlined at r times its own height
//     (see IntensityBasins): a blurred nucleus gets its own outline (at half
//     its peak for r = 0.5) whether it is bright or dim, nuclei that a low
//     threshold joined through their blurred rims come apart, and the rims
//     become background;
//  2. holes are filled: the pixels of an object's bounding box that cannot
//     reach the box's border (or the image's) without crossing the object
//     join it;
//  3. objects of fewer than minimum_size pixels become background;
//  4. touching objects are split by a seeded watershed on the distance
//     transform (each pixel's Euclidean distance to the nearest pixel
//     outside the object): the seeds are its local maxima, taken from the
//     highest down and dropped when closer than seed_distance to a seed
//     already taken; the object is flooded from them, from the inside out.
//     Two neighbouring parts stay one object unless the neck between them
//     (the distance at their highest meeting point) is below neck_ratio
//     times the smaller part's largest distance, the half-width of the
//     narrower nucleus, and never when together they would exceed
//     maximum_size (when given). One nucleus thus keeps its pixels even when
//     elongated (its ridge of distances is level), while two round nuclei
//     that touch meet at a narrow waist; two that overlap, whose waist the
//     blur fills in, are still told apart by their joint size.
// Objects are numbered 1, 2, ... in the order they are found: by their
// first pixel (slice, row, column), the parts of one region above its cut
// together; the parts of a split object take consecutive numbers, starting
// with the part of the highest seed.
//
// Work and scratch storage scale with the foreground, apart from one scan
// of the mask; the storage is kept between images, so a segmenter is not
// re-entrant.
class ObjectSegmenter {
public:
    explicit ObjectSegmenter(const ObjectSegmentationParameters& parameters) : p_(parameters) {}

    // labels: width * height * depth values, row-major and slice after
    // slice; on entry every positive value is foreground and 0 background
    // (a negative value fails, naming it); on return 0 is the background and
    // 1 .. N the objects. intensity (the same layout, or null) is what the
    // relative threshold compares. Returns N.
    int segment(int* labels, int width, int height, int depth, const unsigned short* intensity = nullptr);

    const ObjectSegmentationParameters& parameters() const { return p_; }

private:
    struct Point {
        int x, y, z;
        std::int64_t index;  // in the volume
    };
    // A box with a one-pixel margin around an object, in which the object
    // is processed; its cells are numbered row-major, slice after slice.
    struct Box {
        int x0, y0, z0;  // volume coordinates of the cell (0, 0, 0)
        int width, height, depth;
        std::int64_t cell(int x, int y, int z) const {
            return (static_cast<std::int64_t>(z - z0) * height + (y - y0)) * width + (x - x0);
        }
        std::int64_t size() const { return static_cast<std::int64_t>(width) * height * depth; }
    };

    enum Visit : std::uint8_t { unvisited, in_object, discarded, kept };

    // Adds the face-connected pixels from start on that take(index) accepts
    // to points_, marking them in_object. Flattened: the compiler would
    // otherwise call out of line for every point appended.
    template <class Take>
    [[gnu::flatten]] void collect(std::int64_t start, int width, int height, int depth, Take take);
    void record_object(std::size_t begin, int width, int height, int depth);
    // Whether the region points_[begin, end) stays below minimum_size
    // whatever becomes of it (small specks are dropped at once).
    bool too_small_for_an_object(std::size_t begin, int depth) const;
    void keep_bright_parts(std::size_t begin, int* labels, const unsigned short* intensity, int width, int height,
                           int depth);
    Box box_of(std::size_t begin, std::size_t end, int depth) const;
    void fill_holes(std::size_t begin, const Box& box, int width, int height, int depth);
    // Splits the object points_[begin, end) into parts; part_ gets each
    // point's part (0 .. parts - 1). Returns the number of parts.
    int split(std::size_t begin, std::size_t end, const Box& box);
    void distance_transform(const Box& box);

    ObjectSegmentationParameters p_;
    std::vector<std::uint8_t> visited_;
    std::vector<Point> points_;
    std::vector<std::size_t> object_begin_;
    std::vector<Box> object_box_;  // per object, with its margin
    std::vector<Point> grouped_;
    std::vector<std::size_t> part_begin_;
    std::vector<std::size_t> part_next_;
    std::vector<std::int64_t> cells_;
    std::vector<unsigned short> values_;
    IntensityBasins basins_;
    // Per box cell (scratch reused by every object).
    std::vector<std::uint8_t> cell_state_;
    std::vector<double> distance_;  // squared distance to the nearest outside cell
    std::vector<int> region_;
    std::vector<std::int64_t> stack_;
    std::vector<double> line_in_, line_out_, envelope_z_;
    std::vector<int> envelope_v_;
    std::vector<int> part_;
    std::vector<std::int64_t> candidates_;  // seed candidates, highest first
    std::vector<std::int64_t> seeds_;
};

}  // namespace ipc
