#pragma once
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "imaging/image_3d.h"

namespace cells {

// What ostrel-cells learns from a folder of TIFF images before it tracks
// them: the files, the image size, whether each file is a 3-D stack, and
// the typical size of a cell.
struct ImageSurvey {
    std::string folder;
    std::deque<std::string> files;  // as the TIFF reader will take them
    int width = 0;
    int height = 0;
    int depth = 1;  // pages per file; more than 1: 3-D stacks
    std::optional<double> diameter;  // typical cell diameter in pixels, when any cell was seen
    std::string diameter_source;     // the file it was measured in
    std::optional<double> elongation;  // typical length over width of a cell (2-D), measured with the diameter
    std::optional<double> move;        // typical distance a cell moves from one frame to the next (2-D)
    std::optional<double> signal_to_noise;  // cells over background in pixel-noise units (raw images)
    std::optional<double> spacing;     // typical distance between neighbouring cells' centres (2-D)
    std::string move_source;           // the files it was measured in, "t000.tif to t004.tif"

    bool stacks() const { return depth > 1; }
    int dimensions() const { return stacks() ? 3 : 2; }
};

// Surveys a folder of 16-bit (or 8-bit) greyscale TIFFs: raw images, or
// label masks (0 = background, one value per cell) when `masks` is set.
// The size comes from the first file and must agree with the last; the
// diameter is measured in the first of the first few files that shows a
// cell. Throws util::Exception naming the folder when it holds no TIFF, or
// the file that cannot be read or differs in size.
ImageSurvey survey_images(const std::string& folder, bool masks);

// One object of an image: its pixel (voxel) count, whether it touches the
// image border (then it may be cut off), and the sums of its pixels'
// in-plane coordinates for its shape.
struct ObjectSize {
    long count = 0;
    bool at_border = false;
    double sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;

    void add(int x, int y) {
        ++count;
        sx += x;
        sy += y;
        sxx += static_cast<double>(x) * x;
        syy += static_cast<double>(y) * y;
        sxy += static_cast<double>(x) * y;
    }
    // Length over width: the square root of the ratio of the principal
    // second moments of its pixels (1 for a disc, about 3 for a rod three
    // times as long as wide). Infinite for a line of pixels.
    double elongation() const;
};

// The objects of a stack (a 2-D image is a stack of depth 1): with `masks`
// every non-zero value is one object; otherwise the connected regions
// (4-connected in a plane, 6 in a stack) above the two-class grey
// threshold that the segmentation also uses.
std::vector<ObjectSize> find_objects(const ipc::Image3d<unsigned short>& stack, bool masks);

// The typical diameter of the objects: the median size of those not
// touching the border (of all when fewer than 3 stay clear of it), specks
// below 4 pixels left out, as the diameter of a disc (2-D) or ball (3-D) of
// that size. Empty when nothing is left.
std::optional<double> typical_diameter(const std::vector<ObjectSize>& objects, int dimensions);

// How far cells stand out of the pixel noise in a raw image: the median
// of the pixels above the two-class grey threshold less the median of
// those below it, over the noise's standard deviation (1.4826 times the
// median absolute difference of pixels four apart along the rows, over
// sqrt 2: cells and slow shading hardly move it). Empty when the image has
// a single grey level or no noise.
std::optional<double> signal_to_noise(const ipc::Image3d<unsigned short>& stack);

// A cell's centre in the plane.
struct Centre {
    double x, y;
};

// The centres of the objects typical_diameter would measure (clear of the
// border, no specks).
std::vector<Centre> cell_centres(const std::vector<ObjectSize>& objects);

// The typical distance from a cell's centre to the nearest other centre of
// the same frame (the median); empty with fewer than 3 cells.
std::optional<double> typical_spacing(const std::vector<Centre>& centres);

// The typical move of a cell between consecutive frames: the median, over
// the cells of every frame but the last, of the distance from a cell's
// centre to the nearest centre in the next frame. Where cells move by more
// than half their spacing this underestimates, but it never takes a cell for
// its neighbour when they move less. Empty with fewer than 5 cells to
// measure; frames of more than 5000 cells are left out (the search is
// quadratic).
std::optional<double> typical_move(const std::vector<std::vector<Centre>>& frames);

// The median elongation of the same objects as typical_diameter uses
// (in-plane; meaningful for 2-D images). Empty when nothing is left.
std::optional<double> typical_elongation(const std::vector<ObjectSize>& objects);

}  // namespace cells
