#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "geometry_fixture.h"
#include "support/expect_message.h"

namespace ftprnt::testing {
namespace {

struct FailureCase {
    std::string what;
    std::function<void()> build;
    std::string message;
};

template <int N>
std::function<void()> footprint(const std::string& element) {
    return [element] { build<N>(element); };
}

template <int N>
std::function<void()> sampler(const std::string& element) {
    return [element] { build_uniform<N>(element); };
}

void check(const std::vector<FailureCase>& cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_MESSAGE(c.build(), c.message);
    }
}

TEST(FootprintConstruction, FailsWithTheExactMessage) {
    check({
        {"interval with min = max", footprint<1>("<interval><min>2</min><max>2</max></interval>"),
         "Interval is empty (interval: max must be greater than min: max = 2, min = 2)"},
        {"interval reversed", footprint<1>("<interval><min>3</min><max>2</max></interval>"),
         "Interval is empty (interval: max must be greater than min: max = 2, min = 3)"},
        {"interval with a NaN bound", footprint<1>("<interval><min>nan</min><max>2</max></interval>"),
         "Interval is empty (interval: max must be greater than min: max = 2, min = nan)"},
        {"rectangle with equal x",
         footprint<2>("<rectified_rectangle><p0>1 5</p0><p2>1 2</p2></rectified_rectangle>"),
         "RectifiedRectangle is ill-defined: 1 5, 1 2 (in rectified_rectangle, element p0 and p2)"},
        {"rectangle with equal y",
         footprint<2>("<rectified_rectangle><p0>0 2.5</p0><p2>4 2.5</p2></rectified_rectangle>"),
         "RectifiedRectangle is ill-defined: 0 2.5, 4 2.5 (in rectified_rectangle, element p0 and p2)"},
        {"rectangle with a NaN corner",
         footprint<2>("<rectified_rectangle><p0>0 nan</p0><p2>4 2</p2></rectified_rectangle>"),
         "RectifiedRectangle is ill-defined: 0 nan, 4 2 (in rectified_rectangle, element p0 and p2)"},
        {"parallel edges",
         footprint<2>("<parallelogram><p>0 0</p><v0>1 0</v0><v1>2 0</v1></parallelogram>"),
         "v0 and v1 are parallel in Parallelogram::define (parallelogram: v1 must be at an angle to v0: v1 = "
         "2 0, v0 = 1 0)"},
        {"zero edge",
         footprint<2>("<parallelogram><p>0 0</p><v0>0 0</v0><v1>2 1</v1></parallelogram>"),
         "v0 and v1 are parallel in Parallelogram::define (parallelogram: v1 must be at an angle to v0: v1 = "
         "2 1, v0 = 0 0)"},
        {"infinite parallelogram corner",
         footprint<2>("<parallelogram><p>inf 0</p><v0>1 0</v0><v1>0 1</v1></parallelogram>"),
         "p is not finite in Parallelogram: p = inf 0 (in parallelogram, element p)"},
        {"negative circle radius",
         footprint<2>("<circle><center>0 0</center><radius>-1</radius></circle>"),
         "radius is negative in Circle: radius = -1 (in circle, element radius)"},
        {"NaN circle radius",
         footprint<2>("<circle><center>0 0</center><radius>nan</radius></circle>"),
         "radius is not a number in Circle: radius = nan (in circle, element radius)"},
        {"infinite circle centre",
         footprint<2>("<circle><center>0 -inf</center><radius>1</radius></circle>"),
         "center is not finite in Circle: center = 0 -inf (in circle, element center)"},
        {"unreadable vector",
         footprint<2>("<circle><center>0 x</center><radius>1</radius></circle>"),
         "unable to convert text from tag = center (circle: center must be a vector of 2 numbers: center = "
         "\"0 x\")"},
        {"too few vector entries",
         footprint<3>("<sphere><center>0 1</center><radius>1</radius></sphere>"),
         "unable to convert text from tag = center (sphere: center must be a vector of 3 numbers: center = "
         "\"0 1\")"},
        {"negative sphere radius",
         footprint<3>("<sphere><center>0 0 0</center><radius>-0.5</radius></sphere>"),
         "radius is negative in Sphere: radius = -0.5 (in sphere, element radius)"},
        {"shell with equal radii",
         footprint<3>("<spherical_shell><center>0 0 0</center><inner_radius>2</inner_radius>"
                      "<outer_radius>2</outer_radius></spherical_shell>"),
         "inner radius is not smaller than outer radius in SphericalShell (spherical_shell: outer_radius "
         "must be greater than inner_radius: outer_radius = 2, inner_radius = 2)"},
        {"shell with radii swapped",
         footprint<3>("<spherical_shell><center>0 0 0</center><inner_radius>3</inner_radius>"
                      "<outer_radius>2</outer_radius></spherical_shell>"),
         "inner radius is not smaller than outer radius in SphericalShell (spherical_shell: outer_radius "
         "must be greater than inner_radius: outer_radius = 2, inner_radius = 3)"},
        {"shell with a negative inner radius",
         footprint<3>("<spherical_shell><center>0 0 0</center><inner_radius>-1</inner_radius>"
                      "<outer_radius>2</outer_radius></spherical_shell>"),
         "inner_radius is negative in SphericalShell: inner_radius = -1 (in spherical_shell, element "
         "inner_radius)"},
        {"coplanar edges",
         footprint<3>("<parallelepiped><p>0 0 0</p><v0>1 0 0</v0><v1>0 1 0</v1><v2>1 1 0</v2>"
                      "</parallelepiped>"),
         "Attempt to factor non-positive definite matrix in CholeskyDecomposition. (parallelepiped: v2 must "
         "be linearly independent of v0 and v1: v2 = 1 1 0, v0 = 1 0 0, v1 = 0 1 0)"},
        {"repeated edge",
         footprint<3>("<parallelepiped><p>0 0 0</p><v0>1 0 0</v0><v1>0 0 2</v1><v2>1 0 0</v2>"
                      "</parallelepiped>"),
         "Attempt to factor non-positive definite matrix in CholeskyDecomposition. (parallelepiped: v2 must "
         "be linearly independent of v0 and v1: v2 = 1 0 0, v0 = 1 0 0, v1 = 0 0 2)"},
        {"NaN edge",
         footprint<3>("<parallelepiped><p>0 0 0</p><v0>1 0 0</v0><v1>0 1 0</v1><v2>0 0 nan</v2>"
                      "</parallelepiped>"),
         "v2 is not finite in Parallelepiped: v2 = 0 0 nan (in parallelepiped, element v2)"},
    });
}

TEST(FootprintConstruction, KeysBelongToTheirOwnDimension) {
    check({
        {"sphere in two dimensions", footprint<2>("<sphere/>"), "Unknown key: key = sphere"},
        {"circle in three dimensions", footprint<3>("<circle/>"), "Unknown key: key = circle"},
        {"interval in two dimensions", footprint<2>("<interval/>"), "Unknown key: key = interval"},
        {"2d infinite in one dimension", footprint<1>("<infinite_2d/>"),
         "Unknown key: key = infinite_2d (did you mean infinite_1d?)"},
        {"keys are case sensitive", footprint<2>("<Circle/>"), "Unknown key: key = Circle (did you mean "
         "circle?)"},
        {"no uniform sphere", sampler<3>("<sphere/>"), "Unknown key: key = sphere"},
        {"no uniform shell", sampler<3>("<spherical_shell/>"), "Unknown key: key = spherical_shell"},
        {"no uniform infinite region", sampler<2>("<infinite_2d/>"),
         "Unknown key: key = infinite_2d"},
    });
}

TEST(UniformFootprintConstruction, SharesTheFootprintChecksAndNeedsFiniteRegions) {
    check({
        {"empty interval", sampler<1>("<interval><min>1</min><max>1</max></interval>"),
         "Interval is empty (interval: max must be greater than min: max = 1, min = 1)"},
        {"unbounded interval", sampler<1>("<interval><min>0</min><max>inf</max></interval>"),
         "max is not finite in UniformInterval: max = inf (in interval, element max)"},
        {"ill-defined rectangle",
         sampler<2>("<rectified_rectangle><p0>1 5</p0><p2>1 2</p2></rectified_rectangle>"),
         "RectifiedRectangle is ill-defined: 1 5, 1 2 (in rectified_rectangle, element p0 and p2)"},
        {"unbounded rectangle",
         sampler<2>("<rectified_rectangle><p0>-inf 0</p0><p2>1 1</p2></rectified_rectangle>"),
         "min is not finite in UniformRectifiedRectangle: min = -inf 0 (in rectified_rectangle, element p0 "
         "and p2)"},
        {"negative circle radius",
         sampler<2>("<circle><center>0 0</center><radius>-2</radius></circle>"),
         "radius is negative in Circle: radius = -2 (in circle, element radius)"},
        {"infinite circle radius",
         sampler<2>("<circle><center>0 0</center><radius>inf</radius></circle>"),
         "radius is not finite in UniformCircle: radius = inf (in circle, element radius)"},
        {"parallel edges",
         sampler<2>("<parallelogram><p>0 0</p><v0>1 0</v0><v1>2 0</v1></parallelogram>"),
         "v0 and v1 are parallel in Parallelogram::define (parallelogram: v1 must be at an angle to v0: v1 = "
         "2 0, v0 = 1 0)"},
        {"coplanar edges",
         sampler<3>("<parallelepiped><p>0 0 0</p><v0>1 0 0</v0><v1>0 1 0</v1><v2>1 1 0</v2>"
                    "</parallelepiped>"),
         "Attempt to factor non-positive definite matrix in CholeskyDecomposition. (parallelepiped: v2 must "
         "be linearly independent of v0 and v1: v2 = 1 1 0, v0 = 1 0 0, v1 = 0 1 0)"},
    });
}

}  // namespace
}  // namespace ftprnt::testing
