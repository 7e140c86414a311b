#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "imaging/hysteresis.h"
#include "imaging/threshold_methods.h"
#include "imaging/threshold_segmentors.h"
#include "imaging_test_support.h"

namespace {

using namespace ipc;
using ipc_test::element;
using Bins = std::vector<std::uint64_t>;

// A histogram of `count` pixels spread as a normal distribution of mean m
// and standard deviation s (rounded to whole values).
void add_normal(Bins& bins, double m, double s, double count) {
    for (int v = std::max(0, int(m - 5 * s)); v <= std::min(65535, int(m + 5 * s)); ++v)
        bins[v] += static_cast<std::uint64_t>(std::llround(count * std::exp(-0.5 * (v - m) * (v - m) / (s * s)) /
                                                           (s * std::sqrt(2 * M_PI))));
}

TEST(ThresholdMethodTest, EachMethodSeparatesItsKindOfHistogram) {
    // Two equal modes: every method puts the threshold in the gap between
    // them (Otsu at its bottom: every value there makes the same split).
    Bins balanced(65536, 0);
    add_normal(balanced, 1000, 50, 50000);
    add_normal(balanced, 3000, 50, 50000);
    for (auto method : {otsu_threshold, li_threshold}) {
        EXPECT_GT(method(balanced), 1150);
        EXPECT_LT(method(balanced), 2750);
    }

    // A large background and a few bright objects at two brightnesses:
    // Otsu falls between the dim and the bright ones, the triangle at the
    // foot of the background, below the dim ones; Li in between.
    Bins skewed(65536, 0);
    add_normal(skewed, 100, 10, 950000);
    add_normal(skewed, 600, 60, 20000);    // dim nuclei
    add_normal(skewed, 2500, 200, 30000);  // bright nuclei
    const int otsu = otsu_threshold(skewed), triangle = triangle_threshold(skewed), li = li_threshold(skewed);
    EXPECT_GT(triangle, 130);
    EXPECT_LT(triangle, 400);
    EXPECT_GT(otsu, 750);
    EXPECT_LT(li, otsu);
    EXPECT_GT(li, triangle);
}

TEST(ThresholdMethodTest, DegenerateHistogramsGiveNoForeground) {
    Bins one(65536, 0);
    one[700] = 100;
    for (auto method : {otsu_threshold, triangle_threshold, li_threshold}) {
        EXPECT_EQ(method(one), 700);
        EXPECT_EQ(method(Bins(65536, 0)), 0);
    }
    // Two values: the lower is background, the higher foreground.
    one[900] = 5;
    for (auto method : {otsu_threshold, triangle_threshold, li_threshold}) {
        EXPECT_GE(method(one), 700);
        EXPECT_LT(method(one), 900);
    }
}

// The labels the 2-D threshold segmentor gives image rows under config.
std::vector<std::vector<int>> segment(const std::string& config, const std::vector<std::vector<unsigned short>>& rows) {
    SegmentedImageThresholdSegmentor<Image<unsigned short>> segmentor(element(config));
    auto image = std::make_shared<Image<unsigned short>>(ipc_test::image_from_rows(rows));
    auto pair = std::make_shared<SegmentedImage<Image<unsigned short>>>(image, std::make_shared<SegmentImage>());
    auto out = segmentor.apply(pair);
    EXPECT_EQ(out, pair);
    EXPECT_EQ(out->segmentation->number_of_segments, 2);
    return ipc_test::rows_of<int>(*out->segmentation);
}

TEST(ThresholdSegmentorTest, FixedFactorOffsetAndHysteresis) {
    const std::vector<std::vector<unsigned short>> rows{{10, 20, 30, 40, 0, 25}};
    EXPECT_EQ(segment("<c><method>fixed</method><threshold>20</threshold></c>", rows),
              (std::vector<std::vector<int>>{{0, 0, 1, 1, 0, 1}}));
    // t' = 2 * 10 + 5 = 25: strictly above.
    EXPECT_EQ(segment("<c><method>fixed</method><threshold>10</threshold><factor>2</factor><offset>5</offset></c>",
                      rows),
              (std::vector<std::vector<int>>{{0, 0, 1, 1, 0, 0}}));
    // Above 15 and joined to a pixel above 35: the lone 25 is dropped.
    EXPECT_EQ(segment("<c><method>fixed</method><threshold>15</threshold><hysteresis>2.34</hysteresis></c>", rows),
              (std::vector<std::vector<int>>{{0, 1, 1, 1, 0, 0}}));
}

TEST(ThresholdSegmentorTest, StacksArePooledAndJoinedAcrossSlices) {
    SegmentedImage3dThresholdSegmentor3d<Image3d<unsigned short>> segmentor(
        element("<c><method>fixed</method><threshold>10</threshold><hysteresis>5</hysteresis></c>"));
    auto stack = std::make_shared<Image3d<unsigned short>>(3, 1, 2);
    (*stack)(0, 0, 0) = 60;  // strong
    (*stack)(0, 0, 1) = 20;  // weak, under the strong one: kept
    (*stack)(2, 0, 1) = 20;  // weak and alone: dropped
    auto pair = std::make_shared<SegmentedImage3d<Image3d<unsigned short>>>(stack, std::make_shared<SegmentImage3d>());
    const auto& labels = *segmentor.apply(pair)->segmentation;
    ASSERT_EQ(labels.depth(), 2);
    EXPECT_EQ(ipc_test::rows_of<int>(labels.slice(0)), (std::vector<std::vector<int>>{{1, 0, 0}}));
    EXPECT_EQ(ipc_test::rows_of<int>(labels.slice(1)), (std::vector<std::vector<int>>{{1, 0, 0}}));
}

TEST(ThresholdSegmentorTest, BadParametersNameThemselves) {
    using Segmentor = SegmentedImageThresholdSegmentor<Image<unsigned short>>;
    EXPECT_THROW_CONTAINING(Segmentor(element("<t><method>mean</method></t>")), "invalid method = mean in t",
                            "otsu, triangle, li or fixed");
    EXPECT_THROW_CONTAINING(Segmentor(element("<t><method>fixed</method></t>")), "threshold");
    EXPECT_THROW_CONTAINING(Segmentor(element("<t><threshold>5</threshold></t>")),
                            "threshold is only read with method fixed, method = otsu");
    EXPECT_THROW_CONTAINING(Segmentor(element("<t><factor>-1</factor></t>")), "invalid factor = -1 in t");
    EXPECT_THROW_CONTAINING(Segmentor(element("<t><hysteresis>0.5</hysteresis></t>")), "invalid hysteresis = 0.5");
}

}  // namespace
