#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "imaging/operators/convolver.h"
#include "imaging/operators/max_convolver.h"
#include "imaging/operators/mean_convolver.h"
#include "operator_test_support.h"
#include "support/expect_message.h"

namespace {

using namespace ipc;
using operator_test::direct_window;
using operator_test::element;
using operator_test::random_image;
using ShortImage = Image<unsigned short>;

// Masks of the shapes that matter for window stepping: a single offset, a
// cross, a square, a large disc, rings whose centre is not covered, and a
// ring wider than the test images so some windows hold no pixel at all.
const std::vector<std::string> kMasks = {
    "<circle_mask><radius>0</radius></circle_mask>",
    "<circle_mask><radius>1</radius></circle_mask>",
    "<circle_mask><radius>1.5</radius></circle_mask>",
    "<circle_mask><radius>4.3</radius></circle_mask>",
    "<disk_mask><inner_radius>0</inner_radius><outer_radius>2</outer_radius></disk_mask>",
    "<disk_mask><inner_radius>2.5</inner_radius><outer_radius>3.2</outer_radius></disk_mask>",
    "<disk_mask><inner_radius>8</inner_radius><outer_radius>9</outer_radius></disk_mask>",
};
const std::vector<std::pair<int, int>> kSizes = {{1, 1}, {1, 6}, {7, 1}, {9, 5}, {16, 13}};

std::string convolver_xml(const std::string& mask) { return "<convolver>" + mask + "</convolver>"; }

TEST(MeanConvolverTest, IncrementalMeanEqualsDirectWindowedMean) {
    auto random = operator_test::random_source();
    for (const std::string& mask : kMasks)
        for (auto [width, height] : kSizes) {
            MeanConvolver<ShortImage, ShortImage> convolver(element(convolver_xml(mask)));
            const auto in = random_image<unsigned short>(random, width, height, 65535);
            const auto out = convolver.apply(std::make_shared<ShortImage>(in));
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    const auto window = direct_window(in, convolver.mask(), x, y);
                    const long expected = window.count ? std::lround(window.sum / window.count) : 0;
                    ASSERT_EQ((*out)(x, y), expected) << mask << " at " << x << "," << y << " of " << width << "x" << height;
                }
        }
}

TEST(MeanConvolverTest, RoundsHalvesUpward) {
    MeanConvolver<ShortImage, ShortImage> convolver(
        element(convolver_xml("<disk_mask><inner_radius>0</inner_radius><outer_radius>1</outer_radius></disk_mask>")));
    // Pixel (0, 0) averages its right and lower neighbours: (1 + 2) / 2 = 1.5.
    const auto in = ipc_test::image_from_rows<unsigned short>({{60000, 1}, {2, 60000}});
    const auto out = convolver.apply(std::make_shared<ShortImage>(in));
    EXPECT_EQ((*out)(0, 0), 2);
    EXPECT_EQ((*out)(1, 0), 60000);
}

TEST(FloatConvolverTest, IncrementalSumEqualsDirectWindowedSum) {
    auto random = operator_test::random_source();
    std::uniform_real_distribution<float> value(-1000.f, 1000.f);
    for (const std::string& mask : kMasks)
        for (auto [width, height] : kSizes) {
            Convolver<Image<float>, Image<float>> convolver(element(convolver_xml(mask)));
            Image<float> in(width, height);
            for (float& pixel : in) pixel = value(random);
            const auto out = convolver.apply(std::make_shared<Image<float>>(in));
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    ASSERT_NEAR((*out)(x, y), direct_window(in, convolver.mask(), x, y).sum, 1e-2)
                        << mask << " at " << x << "," << y;
        }
}

TEST(FloatConvolverTest, InfinitePixelAffectsOnlyTheWindowsThatCoverIt) {
    Convolver<Image<float>, Image<float>> convolver(element(convolver_xml(kMasks[1])));
    auto in = std::make_shared<Image<float>>(6, 1, 1.f);
    (*in)(1, 0) = std::numeric_limits<float>::infinity();
    const auto out = convolver.apply(in);
    EXPECT_EQ(ipc_test::rows_of(*out), (std::vector<std::vector<float>>{{INFINITY, INFINITY, INFINITY, 3, 3, 2}}));
}

template <class T>
void expect_max_matches_direct(int highest) {
    auto random = operator_test::random_source();
    for (const std::string& mask : kMasks)
        for (auto [width, height] : kSizes) {
            MaxConvolver<Image<T>> convolver(element(convolver_xml(mask)));
            const auto in = random_image<T>(random, width, height, highest);
            const auto out = convolver.apply(std::make_shared<Image<T>>(in));
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    ASSERT_EQ((*out)(x, y), direct_window(in, convolver.mask(), x, y).largest)
                        << mask << " at " << x << "," << y;
        }
}

TEST(MaxConvolverTest, EqualsDirectWindowedMaximumForBothPixelTypes) {
    expect_max_matches_direct<unsigned short>(65535);
    expect_max_matches_direct<unsigned char>(255);
}

TEST(MaxConvolverTest, ZeroImageStaysZero) {
    MaxConvolver<ShortImage> convolver(element(convolver_xml(kMasks[3])));
    EXPECT_EQ(*convolver.apply(std::make_shared<ShortImage>(6, 4, 0)), ShortImage(6, 4, 0));
}

TEST(ConvolverTest, EmptyImagesGiveEmptyImages) {
    MeanConvolver<ShortImage, ShortImage> mean(element(convolver_xml(kMasks[2])));
    MaxConvolver<Image<unsigned char>> max(element(convolver_xml(kMasks[2])));
    EXPECT_TRUE(mean.apply(std::make_shared<ShortImage>(0, 3))->empty());
    EXPECT_TRUE(max.apply(std::make_shared<Image<unsigned char>>(4, 0))->empty());
}

TEST(ConvolverTest, MaskProblemsSurfaceWhenTheConvolverIsBuilt) {
    using Mean = MeanConvolver<ShortImage, ShortImage>;
    EXPECT_MESSAGE(Mean(element("<convolver/>")), "expected one mask element in convolver, found 0");
    EXPECT_MESSAGE(Mean(element(convolver_xml("<circle_mask><radius>-0.5</radius></circle_mask>"))),
                   "invalid radius = -0.5 in circle_mask (expected a finite number from 0 to 65535)");
}

}  // namespace
