#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "geometry_fixture.h"

namespace ftprnt::testing {
namespace {

constexpr double inf = std::numeric_limits<double>::infinity();

template <int N>
struct ContainmentCase {
    std::string what;
    std::string element;
    nmrc::Vector<N> point;
    bool inside;
};

template <int N>
void check(const std::vector<ContainmentCase<N>>& cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(build<N>(c.element)->contains(c.point), c.inside);
    }
}

const std::string interval = "<interval><min>-1</min><max>2</max></interval>";
const std::string rectangle = "<rectified_rectangle><p0>1 5</p0><p2>3 2</p2></rectified_rectangle>";
const std::string circle = "<circle><center>1 1</center><radius>2</radius></circle>";
const std::string point_circle = "<circle><center>1 1</center><radius>0</radius></circle>";
const std::string parallelogram = "<parallelogram><p>1 1</p><v0>2 0</v0><v1>1 1</v1></parallelogram>";
const std::string sphere = "<sphere><center>1 2 3</center><radius>2</radius></sphere>";
const std::string shell =
    "<spherical_shell><center>0 0 0</center><inner_radius>1</inner_radius>"
    "<outer_radius>3</outer_radius></spherical_shell>";
const std::string unit_cube =
    "<parallelepiped><p>0 0 0</p><v0>1 0 0</v0><v1>0 1 0</v1><v2>0 0 1</v2></parallelepiped>";
const std::string sheared =
    "<parallelepiped><p>1 1 1</p><v0>2 0 0</v0><v1>1 1 0</v1><v2>0 0 4</v2></parallelepiped>";

TEST(FootprintContainment, IntervalIncludesBothEndPoints) {
    check<1>({{"below", interval, {-1.5}, false},
              {"at min", interval, {-1}, true},
              {"middle", interval, {0.5}, true},
              {"at max", interval, {2}, true},
              {"above", interval, {2.0000001}, false},
              {"nan", interval, {std::nan("")}, false}});
}

TEST(FootprintContainment, RectangleFromAnyTwoOppositeCornersIncludesItsEdges) {
    // Corners (1, 5) and (3, 2) span [1, 3] x [2, 5].
    check<2>({{"min corner", rectangle, {1, 2}, true},
              {"max corner", rectangle, {3, 5}, true},
              {"left edge", rectangle, {1, 3}, true},
              {"interior", rectangle, {2, 4}, true},
              {"left of it", rectangle, {0.99, 3}, false},
              {"above it", rectangle, {2, 5.01}, false},
              {"below it", rectangle, {2, 1.99}, false},
              {"right of it", rectangle, {3.01, 3}, false}});
}

TEST(FootprintContainment, CircleIsClosedAndRadiusZeroHoldsOnlyItsCentre) {
    check<2>({{"centre", circle, {1, 1}, true},
              {"on the rim", circle, {3, 1}, true},
              {"on the rim, below", circle, {1, -1}, true},
              {"inside the bounding box but outside", circle, {2.5, 2.5}, false},
              {"far away", circle, {10, 1}, false},
              {"point circle centre", point_circle, {1, 1}, true},
              {"point circle near miss", point_circle, {1, 1.000001}, false}});
}

TEST(FootprintContainment, ParallelogramIncludesItsEdgesAndCorners) {
    // Corners (1, 1), (3, 1), (4, 2), (2, 2).
    check<2>({{"corner p", parallelogram, {1, 1}, true},
              {"corner p + v0", parallelogram, {3, 1}, true},
              {"corner p + v0 + v1", parallelogram, {4, 2}, true},
              {"corner p + v1", parallelogram, {2, 2}, true},
              {"interior", parallelogram, {2.5, 1.5}, true},
              {"beyond the slanted edge", parallelogram, {1.2, 1.5}, false},
              {"inside the bounding box only", parallelogram, {3.8, 1.2}, false},
              {"above", parallelogram, {3, 2.5}, false}});
}

TEST(FootprintContainment, SphereIsClosed) {
    check<3>({{"centre", sphere, {1, 2, 3}, true},
              {"on the surface", sphere, {1, 2, 5}, true},
              {"inside", sphere, {2, 3, 3}, true},
              {"corner of the bounding cube", sphere, {2.9, 3.9, 4.9}, false},
              {"outside", sphere, {1, 2, 5.01}, false}});
}

TEST(FootprintContainment, SphericalShellExcludesBothRadii) {
    check<3>({{"centre", shell, {0, 0, 0}, false},
              {"at the inner radius", shell, {0, 1, 0}, false},
              {"just outside the inner radius", shell, {0, 1.01, 0}, true},
              {"between", shell, {2, 0, 0}, true},
              {"at the outer radius", shell, {0, 0, 3}, false},
              {"just inside the outer radius", shell, {0, 0, 2.99}, true},
              {"outside", shell, {3, 3, 3}, false}});
}

TEST(FootprintContainment, ParallelepipedIncludesItsFaces) {
    check<3>({{"cube corner", unit_cube, {0, 0, 0}, true},
              {"cube far corner", unit_cube, {1, 1, 1}, true},
              {"cube face", unit_cube, {0.5, 1, 0.5}, true},
              {"cube outside", unit_cube, {0.5, 1.01, 0.5}, false},
              {"cube negative side", unit_cube, {-0.01, 0.5, 0.5}, false},
              {"sheared far corner", sheared, {4, 2, 5}, true},
              {"sheared interior", sheared, {3, 1.5, 2}, true},
              {"sheared: inside the box, beyond the slanted face", sheared, {1.2, 1.8, 2}, false},
              {"sheared: above the top face", sheared, {3, 1.5, 5.1}, false}});
}

TEST(FootprintContainment, InfiniteContainsEveryPointIncludingInfiniteOnes) {
    check<1>({{"1d infinite", "<infinite_1d/>", {-inf}, true}});
    check<2>({{"2d origin", "<infinite_2d/>", {0, 0}, true},
              {"2d infinite", "<infinite_2d/>", {inf, -inf}, true},
              {"2d nan", "<infinite_2d/>", {std::nan(""), 0}, true}});
    check<3>({{"3d huge", "<infinite_3d/>", {1e308, -1e308, inf}, true}});
}

TEST(FootprintContainment, UnboundedIntervalAndRectangleWork) {
    check<1>({{"half line", "<interval><min>0</min><max>inf</max></interval>", {1e300}, true},
              {"half line, other side", "<interval><min>0</min><max>inf</max></interval>", {-1},
               false}});
    check<2>({{"half plane", "<rectified_rectangle><p0>-inf 0</p0><p2>inf inf</p2></rectified_rectangle>",
               {-5, 3}, true}});
}

}  // namespace
}  // namespace ftprnt::testing
