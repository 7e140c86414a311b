#include <gtest/gtest.h>

#include <cmath>

#include "imaging/algorithm_component.h"
#include "imaging/grey_level_clustering.h"
#include "imaging/greyscale_segmentors.h"
#include "imaging_test_support.h"

namespace {

using namespace ipc;
using ipc_test::element;
using ipc_test::image_from_rows;
using ipc_test::rows_of;

xml::Querier colours(int k) {
    return element("<s><number_of_colors>" + std::to_string(k) + "</number_of_colors></s>");
}

using Pair = SegmentedImage<Image<unsigned short>>;

std::shared_ptr<Pair> pair_of(const Image<unsigned short>& image) {
    return std::make_shared<Pair>(std::make_shared<Image<unsigned short>>(image),
                                  std::make_shared<SegmentImage>(image.width(), image.height(), 0));
}

std::vector<std::vector<int>> foreground(const Image<unsigned short>& image, int k) {
    SegmentedImageGreyscaleSegmentor<Image<unsigned short>> segmentor(colours(k));
    auto pair = pair_of(image);
    auto segmentation = pair->segmentation;
    auto result = segmentor.apply(pair, 0);
    EXPECT_EQ(result, pair);  // the same pair, changed in place
    EXPECT_EQ(result->segmentation, segmentation);
    EXPECT_EQ(segmentation->number_of_segments, 2);
    return rows_of<int>(*segmentation);
}

TEST(GreyscaleSegmentorTest, TwoLevelsGiveTheUpperLevelAsThresholdAndNoForeground) {
    const auto image = image_from_rows<unsigned short>({{100, 100, 100}, {100, 900, 900}});
    EXPECT_EQ(foreground(image, 2), (std::vector<std::vector<int>>{{0, 0, 0}, {0, 0, 0}}));
}

TEST(GreyscaleSegmentorTest, ThreeLevelsMakeOnlyTheHighestForeground) {
    const auto image = image_from_rows<unsigned short>({{5, 5, 700}, {40000, 700, 5}});
    EXPECT_EQ(foreground(image, 2), (std::vector<std::vector<int>>{{0, 0, 0}, {1, 0, 0}}));
}

TEST(GreyscaleSegmentorTest, ThreeColoursReclusterTheMiddleClass) {
    // 100 dark pixels, one pixel of each level 1000 .. 1009, 100 bright
    // pixels. The middle class holds the ten mid levels; clustered again they
    // split into {1000..1003}, {1004..1006}, {1007..1009}, whose middle class
    // is small enough to stop. The threshold is the middle entry (index 5) of
    // the ten-level list: 1005.
    Image<unsigned short> image(210, 1, 0);
    for (int i = 0; i < 10; ++i) image(100 + i, 0) = static_cast<unsigned short>(1000 + i);
    for (int x = 110; x < 210; ++x) image(x, 0) = 60000;
    const auto labels = foreground(image, 3)[0];
    for (int x = 0; x < 210; ++x) EXPECT_EQ(labels[x], image(x, 0) > 1005 ? 1 : 0) << x;
}

TEST(GreyscaleSegmentorTest, TooFewOccupiedLevelsNameTheCountTheParameterAndTheTime) {
    SegmentedImageGreyscaleSegmentor<Image<unsigned short>> segmentor(colours(3));
    const auto image = image_from_rows<unsigned short>({{1, 2}, {2, 1}});
    EXPECT_MESSAGE(segmentor.apply(pair_of(image), 3.5),
                   "too few occupied grey levels for greyscale segmentation, occupied levels = 2, "
                   "number_of_colors = 3, time = 3.5");
    EXPECT_MESSAGE(SegmentedImageGreyscaleSegmentor<Image<unsigned short>>(colours(1)),
                   "number_of_colors must be at least 2, number_of_colors = 1 (in s, element number_of_colors)");
}

TEST(GreyscaleSegmentorTest, ComponentPassesTheFrameTimeAndTheEndOfStream) {
    AlgorithmComponent<SegmentedImageGreyscaleSegmentor<Image<unsigned short>>> component(colours(2));
    auto collector = std::make_shared<ipc_test::FrameCollector>();
    component.insert_child(collector);
    const auto image = image_from_rows<unsigned short>({{1, 2, 3}});
    component.push_frame(std::make_shared<frame::FrameTemplate<Pair>>(7.25, pair_of(image)));
    component.push_frame(nullptr);
    ASSERT_EQ(collector->frames.size(), 2u);
    auto out = frame::cast<frame::FrameTemplate<Pair>>(collector->frames[0]);
    EXPECT_EQ(out->time, 7.25);
    EXPECT_EQ(rows_of<int>(*out->payload->segmentation), (std::vector<std::vector<int>>{{0, 0, 1}}));
    EXPECT_EQ(collector->frames[1], nullptr);

    EXPECT_THROW_CONTAINING(component.push_frame(std::make_shared<frame::FrameTemplate<Pair>>(
                                9.5, pair_of(Image<unsigned short>(2, 2, 4)))),
                            "time = 9.5");
    EXPECT_MESSAGE_STARTS(component.push_frame(std::make_shared<frame::FrameTemplate<SegmentImage>>(
                       0, std::make_shared<SegmentImage>())),
                   "Frame::cast()");
}

TEST(GreyscaleSegmentor3dTest, PoolsEverySliceAndSizesThePlaceholder) {
    using Pair3d = SegmentedImage3d<Image3d<unsigned short>>;
    auto stack = std::make_shared<Image3d<unsigned short>>(2, 2, 3);
    for (int z = 0; z < 3; ++z) stack->slice(z).fill(static_cast<unsigned short>(100 * (z + 1)));
    auto pair = std::make_shared<Pair3d>(stack, std::make_shared<SegmentImage3d>(2, 2, 0));

    SegmentedImage3dGreyscaleSegmentor3d<Image3d<unsigned short>> segmentor(colours(2));
    auto result = segmentor.apply(pair, 0);
    EXPECT_EQ(result, pair);
    const SegmentImage3d& labels = *pair->segmentation;
    ASSERT_EQ(labels.depth(), 3);
    EXPECT_EQ(labels.number_of_segments, 2);
    for (int z = 0; z < 3; ++z)
        for (int label : labels.slice(z)) EXPECT_EQ(label, z == 2 ? 1 : 0) << z;
}

GreyLevels levels_of(const std::vector<unsigned short>& values) {
    GreyLevels levels;
    for (unsigned short v : values) levels.push_back({v, 1});
    return levels;
}

TEST(GreyLevelClusteringTest, RefinementMovesBoundariesToTheMidpointsOfTheMeans) {
    const GreyLevels levels = levels_of({0, 1, 2, 10, 11, 12});
    Partition partition{0, 1, 6};
    const double cost = refine_partition(levels, partition);
    EXPECT_EQ(partition, (Partition{0, 3, 6}));
    EXPECT_DOUBLE_EQ(cost, std::sqrt(4.0) / 6);  // each class: 1 + 0 + 1
}

TEST(GreyLevelClusteringTest, AClassEmptiedByRefinementDoesNotBreakIt) {
    // Classes {0}, {1, 100}, {101}: the first move empties the middle class.
    const GreyLevels levels = levels_of({0, 1, 100, 101});
    Partition partition{0, 1, 3, 4};
    const double cost = refine_partition(levels, partition);
    EXPECT_TRUE(std::isfinite(cost));
    EXPECT_EQ(partition, (Partition{0, 2, 3, 4}));
}

TEST(GreyLevelClusteringTest, HistogramListsOccupiedLevelsWithCounts) {
    GreyHistogram histogram;
    const std::vector<unsigned short> pixels{65535, 3, 3, 0, 3};
    histogram.add(pixels.data(), pixels.data() + pixels.size());
    const GreyLevels levels = histogram.occupied();
    ASSERT_EQ(levels.size(), 3u);
    EXPECT_EQ(levels[0].value, 0);
    EXPECT_EQ(levels[1].count, 3u);
    EXPECT_EQ(levels[2].value, 65535);
    histogram.clear();
    EXPECT_TRUE(histogram.occupied().empty());
    // Counts add up over calls, and nothing of an earlier call is counted twice.
    const std::vector<unsigned short> more{5, 5, 7};
    histogram.add(more.data(), more.data() + more.size());
    histogram.add(more.data(), more.data() + 1);
    EXPECT_EQ(histogram.bins()[5], 3u);
    EXPECT_EQ(histogram.bins()[7], 1u);
    EXPECT_EQ(histogram.occupied().size(), 2u);
}

}  // namespace
