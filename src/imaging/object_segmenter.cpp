#include "imaging/object_segmenter.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <queue>
#include <string>

#include "imaging/zero_runs.h"
#include "util/exception.h"

namespace ipc {

namespace {

// Squared distance transform of one line (Felzenszwalb and Huttenlocher):
// out[q] = min over r of (q - r)^2 + f[r], from the lower envelope of the
// parabolas rooted at every r. v and z hold the envelope (n and n + 1).
void distance_line(const double* f, double* out, int n, int* v, double* z) {
    const double infinity = std::numeric_limits<double>::infinity();
    int k = 0;
    v[0] = 0;
    z[0] = -infinity;
    z[1] = infinity;
    for (int q = 1; q < n; ++q) {
        double s;
        for (;;) {
            const int r = v[k];
            // where the parabolas of r and q meet: ((f_q + q^2) - (f_r + r^2)) / (2 (q - r))
            s = ((f[q] + double(q) * q) - (f[r] + double(r) * r)) / (2.0 * (q - r));
            if (s > z[k]) break;
            --k;  // z[0] = -infinity stops this
        }
        ++k;
        v[k] = q;
        z[k] = s;
        z[k + 1] = infinity;
    }
    k = 0;
    for (int q = 0; q < n; ++q) {
        while (z[k + 1] < q) ++k;
        const double d = q - v[k];
        out[q] = d * d + f[v[k]];
    }
}

// A queue entry of the flooding: the highest distance first, then the
// earliest pushed, so the result does not depend on the queue's internals.
struct FloodEntry {
    double distance;
    std::int64_t order;
    std::int64_t cell;
};
struct FloodOrder {
    bool operator()(const FloodEntry& a, const FloodEntry& b) const {
        return a.distance != b.distance ? a.distance < b.distance : a.order > b.order;
    }
};

// Where two parts of a split object meet: their seeds and the highest
// squared distance along the meeting.
struct Meeting {
    int a, b;
    double level;
};

int find_root(std::vector<int>& parent, int i) {
    while (parent[i] != i) i = parent[i] = parent[parent[i]];
    return i;
}

}  // namespace

int ObjectSegmenter::segment(int* labels, int width, int height, int depth, const unsigned short* intensity) {
    const std::int64_t plane = static_cast<std::int64_t>(width) * height;
    const std::int64_t volume = plane * depth;
    visited_.assign(static_cast<std::size_t>(volume), unvisited);
    points_.clear();
    object_begin_.clear();
    object_box_.clear();
    const bool refine = intensity != nullptr && p_.relative_threshold > 0;

    // Find the objects (and fill their holes at once: a hole's pixels,
    // enclosed objects included, are met later in the scan than the first
    // pixel of the object around them).
    for (std::int64_t i = 0; i < volume; ++i) {
        // Background comes in long runs: skip them in blocks.
        i = skip_zero_blocks(labels, i, volume);
        if (i == volume) break;
        const int value = labels[i];
        if (value <= 0) {
            if (value < 0)
                throw util::Exception("negative segment label in object segmentation, label = " +
                                      std::to_string(value));
            continue;
        }
        if (visited_[i] != unvisited) continue;
        const std::size_t begin = points_.size();
        collect(i, width, height, depth, [&](std::int64_t n) { return visited_[n] == unvisited && labels[n] > 0; });
        if (too_small_for_an_object(begin, depth)) {
            for (std::size_t k = begin; k < points_.size(); ++k) {
                visited_[points_[k].index] = discarded;
                labels[points_[k].index] = 0;
            }
            points_.resize(begin);
            continue;
        }
        if (refine)
            keep_bright_parts(begin, labels, intensity, width, height, depth);
        else
            record_object(begin, width, height, depth);
    }
    object_begin_.push_back(points_.size());

    int objects = 0;
    for (std::size_t k = 0; k + 1 < object_begin_.size(); ++k) {
        const std::size_t begin = object_begin_[k];
        const std::size_t end = object_begin_[k + 1];
        if (static_cast<std::int64_t>(end - begin) < p_.minimum_size) {
            for (std::size_t i = begin; i < end; ++i) labels[points_[i].index] = 0;
            continue;
        }
        const int parts = p_.seed_distance > 0 && end - begin > 1 ? split(begin, end, object_box_[k]) : 1;
        for (std::size_t i = begin; i < end; ++i)
            labels[points_[i].index] = objects + 1 + (parts > 1 ? part_[i - begin] : 0);
        objects += parts;
    }
    return objects;
}

bool ObjectSegmenter::too_small_for_an_object(std::size_t begin, int depth) const {
    if (static_cast<std::int64_t>(points_.size() - begin) >= p_.minimum_size) return false;
    // Filling its holes could at most fill its bounding box.
    const Box box = box_of(begin, points_.size(), depth);
    const std::int64_t inside = static_cast<std::int64_t>(box.width - 2) * (box.height - 2) *
                                (box.depth > 1 ? box.depth - 2 : 1);
    return inside < p_.minimum_size;
}

void ObjectSegmenter::record_object(std::size_t begin, int width, int height, int depth) {
    // Filling holes adds points inside the box only: the box stays the
    // object's, for splitting it later.
    object_begin_.push_back(begin);
    object_box_.push_back(box_of(begin, points_.size(), depth));
    if (p_.fill_holes) fill_holes(begin, object_box_.back(), width, height, depth);
}

void ObjectSegmenter::keep_bright_parts(std::size_t begin, int* labels, const unsigned short* intensity, int width,
                                        int height, int depth) {
    const Box box = box_of(begin, points_.size(), depth);
    // The region's points stay where they are until the parts are known;
    // then they are laid out again from grouped_.
    const std::size_t n = points_.size() - begin;
    const Point* component = points_.data() + begin;
    cells_.resize(n);
    values_.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        cells_[i] = box.cell(component[i].x, component[i].y, component[i].z);
        values_[i] = intensity[component[i].index];
    }
    const int parts = basins_.split(cells_, values_, box.width, box.height, box.depth, p_.relative_threshold, part_);

    // Every part becomes an object; the rest of the region becomes
    // background. The points are grouped first (a counting sort, group 0
    // the background, group k + 1 part k), then the parts are laid out one
    // after the other, each followed by its filled holes, so that every
    // object's points stay contiguous. A part that lies in a hole of an
    // earlier one has been absorbed by it. Whether a point is kept is as
    // likely as not: the grouping takes no branch on it.
    part_begin_.assign(static_cast<std::size_t>(parts) + 2, 0);
    for (const int k : part_) ++part_begin_[static_cast<std::size_t>(k) + 2];
    for (int k = 0; k <= parts; ++k) part_begin_[k + 1] += part_begin_[k];
    grouped_.resize(n);
    std::vector<std::size_t>& next = part_next_;
    next.assign(part_begin_.begin(), part_begin_.end() - 1);
    for (std::size_t i = 0; i < n; ++i) {
        const Point& p = component[i];
        const int k = part_[i];
        visited_[p.index] = k < 0 ? discarded : kept;
        grouped_[next[static_cast<std::size_t>(k + 1)]++] = p;
    }
    // Foreground that no object keeps is background now, while its lines
    // are in the cache (filling the holes of an object may still take some
    // of it back: the objects' labels are written last).
    for (std::size_t i = 0; i < part_begin_[1]; ++i) labels[grouped_[i].index] = 0;
    points_.resize(begin);
    for (int k = 0; k < parts; ++k) {
        const std::size_t start = points_.size();
        for (std::size_t i = part_begin_[k + 1]; i < part_begin_[k + 2]; ++i)
            if (visited_[grouped_[i].index] == kept) {
                visited_[grouped_[i].index] = in_object;
                points_.push_back(grouped_[i]);
            }
        if (points_.size() > start) record_object(start, width, height, depth);
    }
}

template <class Take>
void ObjectSegmenter::collect(std::int64_t start, int width, int height, int depth, Take take) {
    const std::int64_t plane = static_cast<std::int64_t>(width) * height;
    visited_[start] = in_object;
    points_.push_back(Point{static_cast<int>(start % width), static_cast<int>((start / width) % height),
                            static_cast<int>(start / plane), start});
    auto visit = [&](int x, int y, int z, std::int64_t index) {
        if (!take(index)) return;
        visited_[index] = in_object;
        points_.push_back(Point{x, y, z, index});
    };
    for (std::size_t k = points_.size() - 1; k < points_.size(); ++k) {
        const Point p = points_[k];
        if (p.x > 0) visit(p.x - 1, p.y, p.z, p.index - 1);
        if (p.x + 1 < width) visit(p.x + 1, p.y, p.z, p.index + 1);
        if (p.y > 0) visit(p.x, p.y - 1, p.z, p.index - width);
        if (p.y + 1 < height) visit(p.x, p.y + 1, p.z, p.index + width);
        if (p.z > 0) visit(p.x, p.y, p.z - 1, p.index - plane);
        if (p.z + 1 < depth) visit(p.x, p.y, p.z + 1, p.index + plane);
    }
}

ObjectSegmenter::Box ObjectSegmenter::box_of(std::size_t begin, std::size_t end, int depth) const {
    int x0 = points_[begin].x, x1 = x0, y0 = points_[begin].y, y1 = y0, z0 = points_[begin].z, z1 = z0;
    for (std::size_t i = begin + 1; i < end; ++i) {
        const Point& p = points_[i];
        x0 = std::min(x0, p.x), x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
        z0 = std::min(z0, p.z), z1 = std::max(z1, p.z);
    }
    // A margin of one cell on every side, also beyond the image's edge,
    // where the box has room to move (not across slices of a 2-D image).
    const int margin_z = depth > 1 ? 1 : 0;
    return Box{x0 - 1, y0 - 1, z0 - margin_z, x1 - x0 + 3, y1 - y0 + 3, z1 - z0 + 1 + 2 * margin_z};
}

void ObjectSegmenter::fill_holes(std::size_t begin, const Box& box, int width, int height, int /*depth*/) {
    enum : std::uint8_t { inside_unknown = 0, object = 1, outside = 2 };
    cell_state_.assign(static_cast<std::size_t>(box.size()), inside_unknown);
    for (std::size_t i = begin; i < points_.size(); ++i)
        cell_state_[box.cell(points_[i].x, points_[i].y, points_[i].z)] = object;

    const bool stack3d = box.depth > 1;
    const std::int64_t row = box.width;
    const std::int64_t slice = static_cast<std::int64_t>(box.width) * box.height;
    // The box's border cells lie in its margin, outside the object: they
    // are outside. The flood goes on from the inner cells next to them, so
    // that every cell it visits lies inside the border and its face
    // neighbours inside the box.
    stack_.clear();
    auto spread = [&](std::int64_t n) {
        if (cell_state_[n] == inside_unknown) {
            cell_state_[n] = outside;
            stack_.push_back(n);
        }
    };
    const int inner_z0 = stack3d ? 1 : 0;
    const int inner_z1 = stack3d ? box.depth - 1 : 1;
    for (int z = 0; z < box.depth; ++z)
        for (int y = 0; y < box.height; ++y) {
            const std::int64_t start = z * slice + y * row;
            const bool border_row = y == 0 || y == box.height - 1 || (stack3d && (z == 0 || z == box.depth - 1));
            if (border_row) {
                std::fill(&cell_state_[start], &cell_state_[start] + box.width, std::uint8_t{outside});
            } else {
                cell_state_[start] = outside;
                cell_state_[start + box.width - 1] = outside;
            }
        }
    for (int z = inner_z0; z < inner_z1; ++z)
        for (int y = 1; y + 1 < box.height; ++y) {
            const std::int64_t start = z * slice + y * row;
            const bool next_to_border_row =
                y == 1 || y == box.height - 2 || (stack3d && (z == 1 || z == box.depth - 2));
            if (next_to_border_row) {
                for (int x = 1; x + 1 < box.width; ++x) spread(start + x);
            } else {
                spread(start + 1);
                spread(start + box.width - 2);
            }
        }
    while (!stack_.empty()) {
        const std::int64_t c = stack_.back();
        stack_.pop_back();
        spread(c - 1);
        spread(c + 1);
        spread(c - row);
        spread(c + row);
        if (stack3d) {
            spread(c - slice);
            spread(c + slice);
        }
    }
    // What the outside did not reach is a hole: it joins the object. Border
    // cells were all reached, so every hole cell lies inside the image.
    const std::int64_t plane = static_cast<std::int64_t>(width) * height;
    for (int z = inner_z0; z < inner_z1; ++z)
        for (int y = 1; y + 1 < box.height; ++y) {
            const std::uint8_t* state = &cell_state_[z * slice + y * row];
            for (int x = 1; x + 1 < box.width; ++x) {
                if (state[x] != inside_unknown) continue;
                const int vx = box.x0 + x, vy = box.y0 + y, vz = box.z0 + z;
                const std::int64_t index = vz * plane + static_cast<std::int64_t>(vy) * width + vx;
                if (visited_[index] == in_object) continue;
                visited_[index] = in_object;
                points_.push_back(Point{vx, vy, vz, index});
            }
        }
}

void ObjectSegmenter::distance_transform(const Box& box) {
    const std::int64_t row = box.width;
    const std::int64_t slice = static_cast<std::int64_t>(box.width) * box.height;
    distance_.resize(static_cast<std::size_t>(box.size()));
    // Along x: the distance to the nearest outside cell of the row, from
    // both sides (every row starts and ends with a margin cell).
    for (int z = 0; z < box.depth; ++z)
        for (int y = 0; y < box.height; ++y) {
            double* d = &distance_[z * slice + y * row];
            const std::uint8_t* state = &cell_state_[z * slice + y * row];
            double run = 0;
            for (int x = 0; x < box.width; ++x) d[x] = run = state[x] == 1 ? run + 1 : 0;
            run = 0;
            for (int x = box.width - 1; x >= 0; --x) {
                run = state[x] == 1 ? run + 1 : 0;
                d[x] = std::min(d[x], run);
                d[x] *= d[x];
            }
        }
    // Along y, then z: lower envelopes of parabolas.
    auto pass = [&](int n, std::int64_t stride, std::int64_t lines, auto first_of_line) {
        line_in_.resize(static_cast<std::size_t>(n));
        line_out_.resize(static_cast<std::size_t>(n));
        envelope_v_.resize(static_cast<std::size_t>(n));
        envelope_z_.resize(static_cast<std::size_t>(n) + 1);
        for (std::int64_t l = 0; l < lines; ++l) {
            double* base = &distance_[first_of_line(l)];
            for (int i = 0; i < n; ++i) line_in_[i] = base[i * stride];
            distance_line(line_in_.data(), line_out_.data(), n, envelope_v_.data(), envelope_z_.data());
            for (int i = 0; i < n; ++i) base[i * stride] = line_out_[i];
        }
    };
    pass(box.height, row, static_cast<std::int64_t>(box.width) * box.depth,
         [&](std::int64_t l) { return (l / box.width) * slice + l % box.width; });
    if (box.depth > 1) pass(box.depth, slice, slice, [](std::int64_t l) { return l; });
}

int ObjectSegmenter::split(std::size_t begin, std::size_t end, const Box& box) {
    const std::size_t n = end - begin;
    cell_state_.assign(static_cast<std::size_t>(box.size()), 0);
    // Each point's cell, worked out once for the passes below.
    cells_.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        const Point& p = points_[begin + i];
        cells_[i] = box.cell(p.x, p.y, p.z);
    }
    for (const std::int64_t c : cells_) cell_state_[c] = 1;
    distance_transform(box);

    const std::int64_t row = box.width;
    const std::int64_t slice = static_cast<std::int64_t>(box.width) * box.height;
    const int reach_z = box.depth > 1 ? 1 : 0;

    // Seed candidates: local maxima of the distance over all 8 (26)
    // neighbours, highest first.
    std::vector<std::int64_t>& candidates = candidates_;
    candidates.clear();
    for (const std::int64_t c : cells_) {
        const double d = distance_[c];
        bool highest = true;
        for (int dz = -reach_z; dz <= reach_z && highest; ++dz)
            for (int dy = -1; dy <= 1 && highest; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const std::int64_t m = c + dz * slice + dy * row + dx;
                    if (cell_state_[m] == 1 && distance_[m] > d) {
                        highest = false;
                        break;
                    }
                }
        if (highest) candidates.push_back(c);
    }
    std::sort(candidates.begin(), candidates.end(), [&](std::int64_t a, std::int64_t b) {
        return distance_[a] != distance_[b] ? distance_[a] > distance_[b] : a < b;
    });
    auto coordinates = [&](std::int64_t c, double& x, double& y, double& z) {
        x = static_cast<double>(c % row);
        y = static_cast<double>((c / row) % box.height);
        z = static_cast<double>(c / slice);
    };
    std::vector<std::int64_t>& seeds = seeds_;
    seeds.clear();
    const double least_square = p_.seed_distance * p_.seed_distance;
    for (std::int64_t c : candidates) {
        double x, y, z;
        coordinates(c, x, y, z);
        bool apart = true;
        for (std::int64_t s : seeds) {
            double sx, sy, sz;
            coordinates(s, sx, sy, sz);
            if ((x - sx) * (x - sx) + (y - sy) * (y - sy) + (z - sz) * (z - sz) < least_square) {
                apart = false;
                break;
            }
        }
        if (apart) seeds.push_back(c);
    }
    if (seeds.size() < 2) return 1;

    // Flood from the seeds, highest distance first, noting where parts meet.
    region_.assign(static_cast<std::size_t>(box.size()), -1);
    std::priority_queue<FloodEntry, std::vector<FloodEntry>, FloodOrder> queue;
    std::int64_t order = 0;
    for (std::size_t s = 0; s < seeds.size(); ++s) {
        region_[seeds[s]] = static_cast<int>(s);
        queue.push(FloodEntry{distance_[seeds[s]], order++, seeds[s]});
    }
    std::vector<Meeting> meetings;
    while (!queue.empty()) {
        const std::int64_t c = queue.top().cell;
        queue.pop();
        const int r = region_[c];
        for (const std::int64_t step : {std::int64_t{1}, row, slice}) {
            if (step == slice && box.depth == 1) continue;
            for (const std::int64_t m : {c - step, c + step}) {
                if (cell_state_[m] != 1) continue;  // margin cells are never object
                if (region_[m] < 0) {
                    region_[m] = r;
                    queue.push(FloodEntry{distance_[m], order++, m});
                } else if (region_[m] != r) {
                    const int a = std::min(r, region_[m]), b = std::max(r, region_[m]);
                    const double level = std::min(distance_[c], distance_[m]);
                    auto known = std::find_if(meetings.begin(), meetings.end(),
                                              [&](const Meeting& e) { return e.a == a && e.b == b; });
                    if (known == meetings.end())
                        meetings.push_back(Meeting{a, b, level});
                    else
                        known->level = std::max(known->level, level);
                }
            }
        }
    }

    // Join parts whose neck is not narrow, neck >= ratio * min(peak a, peak b)
    // in distances (square roots of the squared values), unless together
    // they would be larger than one nucleus can be.
    std::vector<int> parent(seeds.size());
    std::vector<double> peak(seeds.size());
    std::vector<std::int64_t> size(seeds.size(), 0);
    for (std::size_t s = 0; s < seeds.size(); ++s) parent[s] = static_cast<int>(s), peak[s] = distance_[seeds[s]];
    for (const std::int64_t c : cells_) ++size[region_[c]];
    std::sort(meetings.begin(), meetings.end(), [](const Meeting& a, const Meeting& b) { return a.level > b.level; });
    for (const Meeting& m : meetings) {
        const int a = find_root(parent, m.a), b = find_root(parent, m.b);
        if (a == b) continue;
        const bool too_big = p_.maximum_size > 0 && size[a] + size[b] > p_.maximum_size;
        if (!too_big && std::sqrt(m.level) >= p_.neck_ratio * std::sqrt(std::min(peak[a], peak[b]))) {
            const int root = std::min(a, b);  // the higher seed's part keeps its place
            parent[std::max(a, b)] = root;
            peak[root] = std::max(peak[a], peak[b]);
            size[root] = size[a] + size[b];
        }
    }
    std::vector<int> number(seeds.size(), -1);
    int parts = 0;
    for (std::size_t s = 0; s < seeds.size(); ++s)
        if (find_root(parent, static_cast<int>(s)) == static_cast<int>(s)) number[s] = parts++;
    part_.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        part_[i] = number[find_root(parent, region_[cells_[i]])];
    }
    return parts;
}

}  // namespace ipc
