#include <gtest/gtest.h>

#include <cmath>

#include "imaging/operators/mean_convolver_3d.h"
#include "operator_test_support.h"
#include "support/expect_message.h"

namespace {

using namespace ipc;
using operator_test::element;
using Volume = Image3d<unsigned short>;
using Mean3d = MeanConvolver3d<Volume, Volume>;

std::string radii_xml(int i, int j, int k) {
    return "<m><i_radius>" + std::to_string(i) + "</i_radius><j_radius>" + std::to_string(j) +
           "</j_radius><k_radius>" + std::to_string(k) + "</k_radius></m>";
}

TEST(MeanConvolver3dTest, NeighbourhoodIsTheClosedEllipsoid) {
    // Semi-axes (1, 1, 1): the centre and its six face neighbours.
    EXPECT_EQ(Mean3d(element(radii_xml(1, 1, 1))).offsets().size(), 7u);
    // Semi-axes (2, 1, 1): i = ±2 only on the axis; (±1, ±1, 0) has 1/4 + 1 > 1.
    const auto offsets = Mean3d(element(radii_xml(2, 1, 1))).offsets();
    EXPECT_EQ(offsets.size(), 9u);
    EXPECT_EQ(std::count(offsets.begin(), offsets.end(), VoxelOffset{2, 0, 0}), 1);
    EXPECT_EQ(std::count(offsets.begin(), offsets.end(), VoxelOffset{1, 1, 0}), 0);
    // Boundary points such as (3, 4, 0) of semi-axes (5, 5, 5) lie exactly on it.
    const auto sphere = Mean3d(element(radii_xml(5, 5, 5))).offsets();
    EXPECT_EQ(std::count(sphere.begin(), sphere.end(), VoxelOffset{3, 4, 0}), 1);
}

TEST(MeanConvolver3dTest, IncrementalMeanEqualsDirectMean) {
    auto random = operator_test::random_source();
    std::uniform_int_distribution<int> value(0, 65535);
    const int radii[][3] = {{1, 1, 1}, {2, 1, 1}, {3, 2, 1}, {1, 3, 2}};
    const int sizes[][3] = {{1, 1, 1}, {6, 5, 4}, {9, 2, 3}};
    for (const auto& r : radii)
        for (const auto& s : sizes) {
            Mean3d convolver(element(radii_xml(r[0], r[1], r[2])));
            auto in = std::make_shared<Volume>(s[0], s[1], s[2]);
            for (auto& slice : in->slices())
                for (auto& voxel : slice) voxel = static_cast<unsigned short>(value(random));
            const auto out = convolver.apply(in);
            for (int z = 0; z < s[2]; ++z)
                for (int y = 0; y < s[1]; ++y)
                    for (int x = 0; x < s[0]; ++x) {
                        double sum = 0;
                        int count = 0;
                        for (int i = -r[0]; i <= r[0]; ++i)
                            for (int j = -r[1]; j <= r[1]; ++j)
                                for (int k = -r[2]; k <= r[2]; ++k) {
                                    const int px = x + i, py = y + j, pz = z + k;
                                    if (px < 0 || py < 0 || pz < 0 || px >= s[0] || py >= s[1] || pz >= s[2]) continue;
                                    if (double(i * i) / (r[0] * r[0]) + double(j * j) / (r[1] * r[1]) +
                                            double(k * k) / (r[2] * r[2]) > 1 + 1e-12)
                                        continue;
                                    sum += (*in)(px, py, pz);
                                    ++count;
                                }
                        ASSERT_EQ((*out)(x, y, z), std::lround(sum / count)) << x << "," << y << "," << z;
                    }
        }
}

TEST(MeanConvolver3dTest, RadiiBelowOneAreRefused) {
    EXPECT_MESSAGE(Mean3d(element(radii_xml(2, 0, 1))), "invalid j_radius = 0 in m (expected an integer from 1 to 1000)");
    EXPECT_MESSAGE(Mean3d(element(radii_xml(-1, 1, 1))), "invalid i_radius = -1 in m (expected an integer from 1 to 1000)");
    EXPECT_MESSAGE(Mean3d(element(radii_xml(1, 1, 1001))),
                   "invalid k_radius = 1001 in m (expected an integer from 1 to 1000)");
}

}  // namespace
