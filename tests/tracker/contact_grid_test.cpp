#include <gtest/gtest.h>

#include <random>

#include "tracker/contact_grid.h"

namespace {

using ostrel::ContactGrid;
using ostrel::GateBox;
using ostrel::GatePoint;

std::vector<std::size_t> brute_force(const std::vector<GatePoint>& points, const GateBox& box, int axes) {
    std::vector<std::size_t> inside;
    for (std::size_t k = 0; k < points.size(); ++k) {
        bool in = true;
        for (int axis = 0; axis < axes; ++axis)
            in = in && points[k].position[axis] >= box.low[axis] && points[k].position[axis] <= box.high[axis];
        if (in) inside.push_back(2 * k + 1);  // the ids given to the grid
    }
    return inside;
}

// Uniform, clustered, collinear and coincident point sets in 2-D and 3-D:
// every query returns exactly the points in the box, in increasing id order.
TEST(ContactGrid, QueriesMatchABruteForceScan) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int layout = 0; layout < 4; ++layout) {
        for (int axes : {2, 3}) {
            std::vector<GatePoint> points(layout == 3 ? 5 : 300);
            std::vector<std::size_t> ids;
            for (std::size_t k = 0; k < points.size(); ++k) {
                GatePoint& p = points[k];
                for (int axis = 0; axis < 3; ++axis) p.position[axis] = 1000.0 * unit(random);
                if (layout == 1) p.position[0] = p.position[0] / 100.0 + (k % 3) * 400.0;  // clusters
                if (layout == 2) p.position[1] = 5.0;                                      // a line
                if (layout == 3) p.position = {3.0, 3.0, 3.0};                             // one spot
                p.variance = {unit(random), unit(random), unit(random)};
                ids.push_back(2 * k + 1);
            }
            const ContactGrid grid(axes, ids, points);
            for (int query = 0; query < 200; ++query) {
                GateBox box;
                for (int axis = 0; axis < 3; ++axis) {
                    const double centre = 1100.0 * unit(random) - 50.0;
                    const double half = query % 10 == 0 ? 2000.0 : 60.0 * unit(random);
                    box.low[axis] = centre - half;
                    box.high[axis] = centre + half;
                }
                if (layout == 3 && query % 2 == 0) box = GateBox{{3, 3, 3}, {3, 3, 3}};
                std::vector<std::size_t> found;
                grid.query(box, found);
                EXPECT_EQ(found, brute_force(points, box, axes)) << "layout " << layout << " query " << query;
            }
        }
    }
}

TEST(ContactGrid, VarianceBoundIsTheLargestPerAxis) {
    std::vector<GatePoint> points(2);
    points[0].variance = {1.0, 5.0, 0.0};
    points[1].variance = {4.0, 2.0, 0.0};
    const ContactGrid grid(2, {0, 1}, points);
    EXPECT_EQ(grid.variance_bound()[0], 4.0);
    EXPECT_EQ(grid.variance_bound()[1], 5.0);
}

}  // namespace
