#pragma once
#include <cstddef>
#include <vector>

#include "tracker/position_gate.h"

namespace ostrel {

// The positions of one frame's contacts in a uniform grid over the first
// two axes, for box queries. The cell size is chosen from the points'
// extent for about two points per cell, so a query costs the points near
// its box whatever the size of the scene.
class ContactGrid {
public:
    // Indexes `points`; `ids[k]` is the caller's number of points[k] and the
    // ids must increase. `axes` (2 or 3) is the number of axes a query
    // compares.
    ContactGrid(int axes, std::vector<std::size_t> ids, std::vector<GatePoint> points);

    // Appends the ids of the points inside the box (bounds included), in
    // increasing order, or in no particular order with `sorted` false (for
    // a caller that ranks them anyway).
    void query(const GateBox& box, std::vector<std::size_t>& out, bool sorted = true) const;

    // The largest variance of any point, per axis.
    const GateAxes& variance_bound() const { return variance_bound_; }
    std::size_t size() const { return ids_.size(); }

private:
    bool inside(std::size_t k, const GateBox& box) const;
    // The cell column (axis 0) or row (axis 1) of a coordinate, clamped to
    // the grid; NaN-free inputs only.
    long cell_of(int axis, double value) const;

    int axes_;
    std::vector<std::size_t> ids_;
    std::vector<GatePoint> points_;
    GateAxes variance_bound_{};
    double origin_[2] = {0.0, 0.0};
    double cell_ = 1.0;
    long columns_ = 1;
    long rows_ = 1;
    // Points by cell: cell c holds order_[start_[c]] .. order_[start_[c + 1] - 1],
    // in increasing id order.
    std::vector<std::size_t> start_;
    std::vector<std::size_t> order_;
};

}  // namespace ostrel
