#include "tracker/contact_grid.h"

#include <algorithm>
#include <cmath>

namespace ostrel {

ContactGrid::ContactGrid(int axes, std::vector<std::size_t> ids, std::vector<GatePoint> points)
    : axes_(axes), ids_(std::move(ids)), points_(std::move(points)) {
    const std::size_t n = points_.size();
    if (n == 0) {
        start_.assign(2, 0);
        return;
    }
    double low[2] = {points_[0].position[0], points_[0].position[1]};
    double high[2] = {low[0], low[1]};
    for (const GatePoint& point : points_) {
        for (int axis = 0; axis < 2; ++axis) {
            low[axis] = std::min(low[axis], point.position[axis]);
            high[axis] = std::max(high[axis], point.position[axis]);
        }
        for (int axis = 0; axis < axes_; ++axis)
            variance_bound_[axis] = std::max(variance_bound_[axis], point.variance[axis]);
    }
    origin_[0] = low[0];
    origin_[1] = low[1];
    // About two points per cell; points on a line (zero area) still spread
    // over n / 2 cells. The grid then has at most about 3 n / 2 + 1 cells.
    const double width = high[0] - low[0];
    const double height = high[1] - low[1];
    const double target = std::max(1.0, static_cast<double>(n) / 2.0);
    cell_ = std::max({std::sqrt(width * height / target), std::max(width, height) / target,
                      1e-12 * (1.0 + std::fabs(low[0]) + std::fabs(low[1]))});
    if (!std::isfinite(cell_)) cell_ = std::max(width, height);
    columns_ = static_cast<long>(width / cell_) + 1;
    rows_ = static_cast<long>(height / cell_) + 1;

    // Counting sort by cell keeps the ids increasing within a cell.
    const std::size_t cells = static_cast<std::size_t>(columns_ * rows_);
    std::vector<std::size_t> cell_of_point(n);
    start_.assign(cells + 1, 0);
    for (std::size_t k = 0; k < n; ++k) {
        const long cell = cell_of(1, points_[k].position[1]) * columns_ +
                          cell_of(0, points_[k].position[0]);
        cell_of_point[k] = static_cast<std::size_t>(cell);
        ++start_[cell_of_point[k] + 1];
    }
    for (std::size_t c = 0; c < cells; ++c) start_[c + 1] += start_[c];
    order_.resize(n);
    std::vector<std::size_t> next(start_.begin(), start_.end() - 1);
    for (std::size_t k = 0; k < n; ++k) order_[next[cell_of_point[k]]++] = k;
}

long ContactGrid::cell_of(int axis, double value) const {
    const double cell = std::floor((value - origin_[axis]) / cell_);
    const long last = (axis == 0 ? columns_ : rows_) - 1;
    if (!(cell > 0.0)) return 0;
    if (cell >= static_cast<double>(last)) return last;
    return static_cast<long>(cell);
}

bool ContactGrid::inside(std::size_t k, const GateBox& box) const {
    for (int axis = 0; axis < axes_; ++axis) {
        const double v = points_[k].position[axis];
        if (!(v >= box.low[axis] && v <= box.high[axis])) return false;
    }
    return true;
}

void ContactGrid::query(const GateBox& box, std::vector<std::size_t>& out, bool sorted) const {
    const std::size_t first = out.size();
    const long column_low = cell_of(0, box.low[0]);
    const long column_high = cell_of(0, box.high[0]);
    const long row_low = cell_of(1, box.low[1]);
    const long row_high = cell_of(1, box.high[1]);
    const double cells = static_cast<double>(column_high - column_low + 1) *
                         static_cast<double>(row_high - row_low + 1);
    if (cells >= static_cast<double>(points_.size())) {
        // A box that covers most of the grid: every point is looked at once.
        for (std::size_t k = 0; k < points_.size(); ++k)
            if (inside(k, box)) out.push_back(ids_[k]);
        return;
    }
    for (long row = row_low; row <= row_high; ++row) {
        for (long column = column_low; column <= column_high; ++column) {
            const std::size_t cell = static_cast<std::size_t>(row * columns_ + column);
            for (std::size_t at = start_[cell]; at < start_[cell + 1]; ++at)
                if (inside(order_[at], box)) out.push_back(ids_[order_[at]]);
        }
    }
    if (sorted) std::sort(out.begin() + static_cast<std::ptrdiff_t>(first), out.end());
}

}  // namespace ostrel
