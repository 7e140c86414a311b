#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "geometry/shared_uniform_generator.h"
#include "geometry/uniform_circle.h"
#include "geometry/uniform_parallelepiped.h"
#include "geometry/uniform_parallelogram.h"
#include "geometry_fixture.h"

namespace ftprnt::testing {
namespace {

constexpr int kDraws = 20000;
constexpr int kBins = 10;
// Upper 0.9999 quantile of chi-square with kBins - 1 = 9 degrees of freedom.
constexpr double kChiSquareLimit = 33.7;

// Pearson's chi-square of values in [0, 1) against equal-mass bins.
double chi_square(const std::vector<double>& values) {
    std::array<int, kBins> counts{};
    for (double v : values) ++counts[std::min(kBins - 1, static_cast<int>(v * kBins))];
    const double expected = static_cast<double>(values.size()) / kBins;
    double sum = 0.0;
    for (int c : counts) sum += (c - expected) * (c - expected) / expected;
    return sum;
}

template <int N>
struct SamplerCase {
    std::string element;
    // Maps a point of the region to N coordinates that are uniform on [0, 1]
    // exactly when the points are uniform on the region.
    std::function<nmrc::Vector<N>(const nmrc::Vector<N>&)> unit_coordinates;
};

// Every draw lies in the footprint of the same element, and each unit
// coordinate fills [0, 1] evenly.
template <int N>
void check(const SamplerCase<N>& c) {
    SCOPED_TRACE(c.element);
    const auto sampler = build_uniform<N>(c.element);
    const auto region = build<N>(c.element);
    std::array<std::vector<double>, N> coordinates;
    int outside = 0;
    for (int k = 0; k < kDraws; ++k) {
        nmrc::Vector<N> point;
        sampler->sample(point);
        if (!region->contains(point)) ++outside;
        const nmrc::Vector<N> unit = c.unit_coordinates(point);
        for (int i = 0; i < N; ++i) coordinates[i].push_back(unit[i]);
    }
    EXPECT_EQ(outside, 0);
    for (int i = 0; i < N; ++i) EXPECT_LT(chi_square(coordinates[i]), kChiSquareLimit) << "axis " << i;
}

TEST(UniformFootprintSampling, DrawsLieInsideAndFillTheRegionEvenly) {
    check<1>({"<interval><min>-2</min><max>6</max></interval>",
              [](const nmrc::Vector<1>& x) { return nmrc::Vector<1>{(x[0] + 2) / 8}; }});
    check<2>({"<rectified_rectangle><p0>4 -1</p0><p2>1 1</p2></rectified_rectangle>",
              [](const nmrc::Vector<2>& x) {
                  return nmrc::Vector<2>{(x[0] - 1) / 3, (x[1] + 1) / 2};
              }});
    // In a uniform disc the squared relative radius and the angle are
    // uniform and independent.
    check<2>({"<circle><center>1 -1</center><radius>2</radius></circle>",
              [](const nmrc::Vector<2>& x) {
                  const double dx = x[0] - 1, dy = x[1] + 1;
                  const double turn = std::atan2(dy, dx) / (4 * std::acos(0.0)) + 0.5;
                  return nmrc::Vector<2>{(dx * dx + dy * dy) / 4, turn};
              }});
    const Parallelogram parallelogram({1, 1}, {2, 0}, {1, 1});
    check<2>({"<parallelogram><p>1 1</p><v0>2 0</v0><v1>1 1</v1></parallelogram>",
              [&](const nmrc::Vector<2>& x) { return parallelogram.edge_coordinates(x); }});
    const Parallelepiped parallelepiped({1, 1, 1}, {2, 0, 0}, {1, 1, 0}, {0, 1, 4});
    check<3>({"<parallelepiped><p>1 1 1</p><v0>2 0 0</v0><v1>1 1 0</v1><v2>0 1 4</v2>"
              "</parallelepiped>",
              [&](const nmrc::Vector<3>& x) { return parallelepiped.edge_coordinates(x); }});
}

TEST(UniformFootprintSampling, CircleOfRadiusZeroAlwaysGivesItsCentre) {
    const UniformCircle sampler({2.5, -1}, 0.0);
    for (int k = 0; k < 5; ++k) {
        nmrc::Vector<2> point;
        sampler.sample(point);
        EXPECT_EQ(point, (nmrc::Vector<2>{2.5, -1}));
    }
}

// Parallelogram and parallelepiped samplers take consecutive deviates from
// one shared generator, the first deviate weighting the last edge.
TEST(UniformFootprintSampling, SkewedSamplersDrawInOrderFromTheSharedGenerator) {
    const UniformParallelogram square({0, 0}, {1, 0}, {0, 1});
    const UniformParallelepiped cube({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1});
    nmrc::UniformGenerator replica = shared_uniform_generator();
    const double u1 = replica.next(), u2 = replica.next();
    const double w1 = replica.next(), w2 = replica.next(), w3 = replica.next();

    nmrc::Vector<2> p;
    square.sample(p);
    EXPECT_EQ(p, (nmrc::Vector<2>{u2, u1}));
    nmrc::Vector<3> q;
    cube.sample(q);
    EXPECT_EQ(q, (nmrc::Vector<3>{w3, w2, w1}));
}

}  // namespace
}  // namespace ftprnt::testing
