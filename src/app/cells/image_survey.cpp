#include "app/cells/image_survey.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <map>

#include "imaging/grey_level_clustering.h"
#include "imaging/tiff_file_names.h"
#include "imaging/tiff_readers.h"
#include "util/exception.h"

namespace cells {

namespace {

// Files looked at for a cell before the diameter is given up.
constexpr std::size_t kFilesForDiameter = 5;
// Frames whose cells are matched to the next frame's for the typical move.
constexpr std::size_t kFramesForMove = 5;
// Nearest neighbours are searched pair by pair: frames with more cells are
// left out of the spacing and the move.
constexpr std::size_t kMostCellsForNeighbours = 5000;
constexpr long kSpeck = 4;

struct Voxel {
    int x, y, z;
};

bool at_border(const ipc::Image3d<unsigned short>& stack, int x, int y, int z) {
    const bool planar = stack.depth() == 1;
    return x == 0 || y == 0 || x == stack.width() - 1 || y == stack.height() - 1 ||
           (!planar && (z == 0 || z == stack.depth() - 1));
}

std::vector<ObjectSize> label_objects(const ipc::Image3d<unsigned short>& stack) {
    std::map<unsigned short, ObjectSize> objects;
    for (int z = 0; z < stack.depth(); ++z)
        for (int y = 0; y < stack.height(); ++y)
            for (int x = 0; x < stack.width(); ++x) {
                const unsigned short value = stack(x, y, z);
                if (value == 0) continue;
                ObjectSize& object = objects[value];
                object.add(x, y);
                object.at_border = object.at_border || at_border(stack, x, y, z);
            }
    std::vector<ObjectSize> sizes;
    for (const auto& entry : objects) sizes.push_back(entry.second);
    return sizes;
}

unsigned short foreground_threshold(const ipc::Image3d<unsigned short>& stack, bool& any_foreground) {
    ipc::GreyHistogram histogram;
    for (const auto& slice : stack.slices()) histogram.add(slice.begin(), slice.end());
    const ipc::GreyLevels levels = histogram.occupied();
    any_foreground = levels.size() >= 2;
    return any_foreground ? ipc::grey_threshold(levels, 2) : 0;
}

std::vector<ObjectSize> region_objects(const ipc::Image3d<unsigned short>& stack) {
    bool any_foreground = false;
    const unsigned short threshold = foreground_threshold(stack, any_foreground);
    if (!any_foreground) return {};
    const int w = stack.width(), h = stack.height(), d = stack.depth();
    auto index = [&](int x, int y, int z) {
        return (static_cast<std::size_t>(z) * h + static_cast<std::size_t>(y)) * w + static_cast<std::size_t>(x);
    };
    std::vector<bool> seen(static_cast<std::size_t>(w) * h * d, false);
    std::vector<ObjectSize> sizes;
    std::vector<Voxel> stack_of_voxels;
    const Voxel steps[] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    for (int z = 0; z < d; ++z)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                if (seen[index(x, y, z)] || stack(x, y, z) <= threshold) continue;
                // Flood fill of one region above the threshold.
                ObjectSize object;
                seen[index(x, y, z)] = true;
                stack_of_voxels.push_back({x, y, z});
                while (!stack_of_voxels.empty()) {
                    const Voxel v = stack_of_voxels.back();
                    stack_of_voxels.pop_back();
                    object.add(v.x, v.y);
                    object.at_border = object.at_border || at_border(stack, v.x, v.y, v.z);
                    for (const Voxel& step : steps) {
                        const int nx = v.x + step.x, ny = v.y + step.y, nz = v.z + step.z;
                        if (nx < 0 || ny < 0 || nz < 0 || nx >= w || ny >= h || nz >= d) continue;
                        if (seen[index(nx, ny, nz)] || stack(nx, ny, nz) <= threshold) continue;
                        seen[index(nx, ny, nz)] = true;
                        stack_of_voxels.push_back({nx, ny, nz});
                    }
                }
                sizes.push_back(object);
            }
    return sizes;
}

}  // namespace

std::vector<ObjectSize> find_objects(const ipc::Image3d<unsigned short>& stack, bool masks) {
    return masks ? label_objects(stack) : region_objects(stack);
}

double ObjectSize::elongation() const {
    const double n = static_cast<double>(count);
    // The covariance of the pixel coordinates and its eigenvalues:
    // l = (a + c) / 2 +- sqrt(((a - c) / 2)^2 + b^2)
    const double a = sxx / n - (sx / n) * (sx / n);
    const double c = syy / n - (sy / n) * (sy / n);
    const double b = sxy / n - (sx / n) * (sy / n);
    const double mean = (a + c) / 2;
    const double spread = std::hypot((a - c) / 2, b);
    const double smallest = mean - spread;
    if (smallest <= 0) return std::numeric_limits<double>::infinity();
    return std::sqrt((mean + spread) / smallest);
}

namespace {

// The median of measure(object) over the objects that are not specks:
// those clear of the border, or all when fewer than 3 are.
template <class Measure>
std::optional<double> median_of_cells(const std::vector<ObjectSize>& objects, Measure measure) {
    std::vector<double> inside, all;
    for (const ObjectSize& object : objects) {
        if (object.count < kSpeck) continue;
        all.push_back(measure(object));
        if (!object.at_border) inside.push_back(measure(object));
    }
    std::vector<double>& values = inside.size() >= 3 ? inside : all;
    if (values.empty()) return std::nullopt;
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2), values.end());
    return values[values.size() / 2];
}

}  // namespace

namespace {

// The median of the values (reordered).
double median(std::vector<double>& values) {
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// The distance from c to the nearest of the centres, `self` (an element of
// them, or null) left out.
double nearest_distance(const Centre& c, const std::vector<Centre>& centres, const Centre* self = nullptr) {
    double nearest = std::numeric_limits<double>::infinity();
    for (const Centre& d : centres)
        if (&d != self) nearest = std::min(nearest, (c.x - d.x) * (c.x - d.x) + (c.y - d.y) * (c.y - d.y));
    return std::sqrt(nearest);
}

// The median of the values a histogram over 0 .. 65535 counts.
double median(const std::vector<std::uint64_t>& histogram, std::uint64_t total) {
    std::uint64_t seen = 0;
    for (std::size_t v = 0; v < histogram.size(); ++v)
        if ((seen += histogram[v]) > total / 2) return static_cast<double>(v);
    return static_cast<double>(histogram.size() - 1);
}

}  // namespace

std::optional<double> signal_to_noise(const ipc::Image3d<unsigned short>& stack) {
    bool any_foreground = false;
    const unsigned short threshold = foreground_threshold(stack, any_foreground);
    if (!any_foreground) return std::nullopt;
    constexpr int lag = 4;
    // Histograms rather than lists of values: an image of 16 million pixels
    // costs three tables of 65536 counts.
    std::vector<std::uint64_t> above(65536, 0), below(65536, 0), differences(65536, 0);
    std::uint64_t above_count = 0, below_count = 0, difference_count = 0;
    for (const auto& slice : stack.slices())
        for (int y = 0; y < slice.height(); ++y)
            for (int x = 0; x < slice.width(); ++x) {
                const unsigned short v = slice(x, y);
                if (v > threshold) {
                    ++above[v];
                    ++above_count;
                } else {
                    ++below[v];
                    ++below_count;
                }
                if (x + lag < slice.width()) {
                    ++differences[static_cast<std::size_t>(std::abs(static_cast<int>(slice(x + lag, y)) - v))];
                    ++difference_count;
                }
            }
    if (above_count == 0 || below_count == 0 || difference_count == 0) return std::nullopt;
    const double noise = 1.4826 * median(differences, difference_count) / std::sqrt(2.0);
    if (noise <= 0) return std::nullopt;
    return (median(above, above_count) - median(below, below_count)) / noise;
}

std::vector<Centre> cell_centres(const std::vector<ObjectSize>& objects) {
    std::vector<Centre> centres;
    for (const ObjectSize& object : objects)
        if (object.count >= kSpeck && !object.at_border) {
            const double n = static_cast<double>(object.count);
            centres.push_back(Centre{object.sx / n, object.sy / n});
        }
    return centres;
}

std::optional<double> typical_spacing(const std::vector<Centre>& centres) {
    if (centres.size() < 3 || centres.size() > kMostCellsForNeighbours) return std::nullopt;
    std::vector<double> nearest;
    for (const Centre& c : centres) nearest.push_back(nearest_distance(c, centres, &c));
    return median(nearest);
}

std::optional<double> typical_move(const std::vector<std::vector<Centre>>& frames) {
    std::vector<double> moves;
    for (std::size_t t = 0; t + 1 < frames.size(); ++t) {
        const std::vector<Centre>& here = frames[t];
        const std::vector<Centre>& next = frames[t + 1];
        if (next.empty() || here.size() > kMostCellsForNeighbours || next.size() > kMostCellsForNeighbours) continue;
        for (const Centre& c : here) moves.push_back(nearest_distance(c, next));
    }
    if (moves.size() < 5) return std::nullopt;
    return median(moves);
}

std::optional<double> typical_elongation(const std::vector<ObjectSize>& objects) {
    return median_of_cells(objects, [](const ObjectSize& object) { return object.elongation(); });
}

std::optional<double> typical_diameter(const std::vector<ObjectSize>& objects, int dimensions) {
    const std::optional<double> median =
        median_of_cells(objects, [](const ObjectSize& object) { return static_cast<double>(object.count); });
    if (!median) return std::nullopt;
    const double size = *median;
    const double pi = std::acos(-1.0);
    // disc: A = pi d^2 / 4; ball: V = pi d^3 / 6
    return dimensions == 3 ? std::cbrt(6 * size / pi) : 2 * std::sqrt(size / pi);
}

ImageSurvey survey_images(const std::string& folder, bool masks) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error))
        throw util::Exception("no such folder: " + folder);
    ImageSurvey survey;
    survey.folder = folder;
    survey.files = ipc::list_tiff_files(folder);
    if (survey.files.empty()) throw util::Exception("no TIFF files (.tif, .tiff) in " + folder);

    const ipc::Image3d<unsigned short> first = ipc::read_short_image_3d_tiff(survey.files.front());
    survey.width = first.width();
    survey.height = first.height();
    survey.depth = first.depth();
    if (survey.width == 0 || survey.height == 0 || survey.depth == 0)
        throw util::Exception("empty image in " + survey.files.front());
    if (survey.files.size() > 1) {
        const ipc::Image3d<unsigned short> last = ipc::read_short_image_3d_tiff(survey.files.back());
        if (last.width() != survey.width || last.height() != survey.height || last.depth() != survey.depth)
            throw util::Exception("images differ in size: " + survey.files.front() + " is " +
                                  std::to_string(survey.width) + " x " + std::to_string(survey.height) + " x " +
                                  std::to_string(survey.depth) + ", " + survey.files.back() + " is " +
                                  std::to_string(last.width()) + " x " + std::to_string(last.height()) + " x " +
                                  std::to_string(last.depth()));
    }

    std::size_t found = 0;
    std::vector<Centre> centres_found;  // the cells of the file the diameter came from (2-D)
    for (std::size_t i = 0; i < survey.files.size() && i < kFilesForDiameter; ++i) {
        const auto stack = i == 0 ? first : ipc::read_short_image_3d_tiff(survey.files[i]);
        const std::vector<ObjectSize> objects = find_objects(stack, masks);
        survey.diameter = typical_diameter(objects, survey.dimensions());
        if (survey.diameter) {
            if (!survey.stacks()) {
                survey.elongation = typical_elongation(objects);
                centres_found = cell_centres(objects);
                survey.spacing = typical_spacing(centres_found);
            }
            if (!masks) survey.signal_to_noise = signal_to_noise(stack);
            survey.diameter_source = survey.files[i];
            found = i;
            break;
        }
    }
    // How far cells move: from the frame the diameter came from on.
    if (survey.diameter && !survey.stacks() && found + 1 < survey.files.size()) {
        std::vector<std::vector<Centre>> centres{std::move(centres_found)};
        std::size_t last = found;
        while (last + 1 < survey.files.size() && centres.size() < kFramesForMove) {
            ++last;
            centres.push_back(cell_centres(find_objects(ipc::read_short_image_3d_tiff(survey.files[last]), masks)));
        }
        survey.move = typical_move(centres);
        survey.move_source = std::filesystem::path(survey.files[found]).filename().string() + " to " +
                             std::filesystem::path(survey.files[last]).filename().string();
    }
    return survey;
}

}  // namespace cells
