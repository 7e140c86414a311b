#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <random>

#include "imaging/spatial_segmentors.h"
#include "imaging_test_support.h"

namespace {

using namespace ipc;
using ipc_test::element;
using ipc_test::image_from_rows;
using ipc_test::rows_of;

const xml::Querier& no_parameters() {
    static const xml::Querier q = element("<x/>");
    return q;
}

SegmentImage segment(const Image<unsigned short>& image) {
    SpatialSegmentor<Image<unsigned short>, Equal<unsigned short>> segmentor(no_parameters());
    return *segmentor.apply(std::make_shared<Image<unsigned short>>(image));
}

// Independent reference: flood fill from each unlabelled pixel, visiting the
// pixels column by column, so regions are numbered by first pixel met.
SegmentImage flood_fill_reference(const Image<unsigned short>& image) {
    SegmentImage labels(image.width(), image.height(), -1);
    int next = 0;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (labels(x, y) >= 0) continue;
            std::deque<std::pair<int, int>> open{{x, y}};
            labels(x, y) = next;
            while (!open.empty()) {
                auto [px, py] = open.front();
                open.pop_front();
                const int dx[] = {1, -1, 0, 0};
                const int dy[] = {0, 0, 1, -1};
                for (int k = 0; k < 4; ++k) {
                    int nx = px + dx[k], ny = py + dy[k];
                    if (nx < 0 || ny < 0 || nx >= image.width() || ny >= image.height()) continue;
                    if (labels(nx, ny) >= 0 || image(nx, ny) != image(px, py)) continue;
                    labels(nx, ny) = next;
                    open.push_back({nx, ny});
                }
            }
            ++next;
        }
    }
    labels.number_of_segments = next;
    return labels;
}

TEST(SpatialSegmentorTest, UniformImageIsOneSegment) {
    const SegmentImage labels = segment(Image<unsigned short>(7, 5, 42));
    EXPECT_EQ(labels.number_of_segments, 1);
    for (int label : labels) EXPECT_EQ(label, 0);
}

TEST(SpatialSegmentorTest, CheckerboardGivesOneSegmentPerPixelNumberedDownEachColumn) {
    const auto board = ipc_test::make_image<unsigned short>(4, 3, [](int x, int y) { return (x + y) % 2; });
    const SegmentImage labels = segment(board);
    EXPECT_EQ(labels.number_of_segments, 12);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(labels(x, y), x * 3 + y) << x << "," << y;
}

TEST(SpatialSegmentorTest, RegionsJoinedLateKeepTheNumberOfTheirFirstPixel) {
    // The 1-region is a U whose arms meet only in the bottom row, and the
    // 0-region in its middle is enclosed; the right arm is met first in
    // column 2 but belongs to the region opened in column 0.
    const auto u = image_from_rows<unsigned short>({
        {1, 0, 1, 2},
        {1, 0, 1, 2},
        {1, 1, 1, 2},
    });
    const SegmentImage labels = segment(u);
    EXPECT_EQ(labels.number_of_segments, 3);
    EXPECT_EQ(rows_of<int>(labels), (std::vector<std::vector<int>>{{0, 1, 0, 2}, {0, 1, 0, 2}, {0, 0, 0, 2}}));
}

TEST(SpatialSegmentorTest, AgreesWithFloodFillOnRandomImages) {
    std::mt19937 random(12345);
    SpatialSegmentor<Image<unsigned short>, Equal<unsigned short>> segmentor(no_parameters());
    for (int trial = 0; trial < 200; ++trial) {
        const int width = 1 + static_cast<int>(random() % 12);
        const int height = 1 + static_cast<int>(random() % 12);
        const unsigned short colours = 2 + random() % 3;
        auto image = ipc_test::make_image<unsigned short>(width, height, [&](int, int) { return random() % colours; });
        // The same segmentor object is reused: its table must be emptied.
        const SegmentImage labels = *segmentor.apply(std::make_shared<Image<unsigned short>>(image));
        const SegmentImage expected = flood_fill_reference(image);
        ASSERT_EQ(labels.number_of_segments, expected.number_of_segments) << "trial " << trial;
        ASSERT_EQ(rows_of<int>(labels), rows_of<int>(expected)) << "trial " << trial;
    }
}

TEST(SpatialSegmentorTest, BoolImagesAndEmptyImages) {
    SpatialSegmentor<Image<bool>, Equal<bool>> segmentor(no_parameters());
    const auto mask = image_from_rows<bool>({{true, false}, {false, true}});
    const SegmentImage labels = *segmentor.apply(std::make_shared<Image<bool>>(mask));
    EXPECT_EQ(labels.number_of_segments, 4);
    EXPECT_EQ(segmentor.apply(std::make_shared<Image<bool>>())->number_of_segments, 0);
}

TEST(SpatialSegmentorTest, SegmentedPairKeepsItsImageAndGetsANewSegmentation) {
    SegmentedImageSpatialSegmentor<SegmentImage> segmentor(no_parameters());
    auto labels = std::make_shared<SegmentImage>(image_from_rows<int>({{5, 5, 7}, {7, 5, 7}}));
    auto old_segmentation = std::make_shared<SegmentImage>(3, 2, 0);
    auto pair = std::make_shared<SegmentedImage<SegmentImage>>(labels, old_segmentation);
    auto result = segmentor.apply(pair);
    EXPECT_EQ(result->image, labels);
    EXPECT_NE(result->segmentation, old_segmentation);
    EXPECT_EQ(result->segmentation->number_of_segments, 3);
    EXPECT_EQ(rows_of<int>(*result->segmentation), (std::vector<std::vector<int>>{{0, 0, 2}, {1, 0, 2}}));
}

Image3d<int> volume(int width, int height, int depth, int (*f)(int, int, int)) {
    Image3d<int> v(width, height, depth);
    for (int z = 0; z < depth; ++z)
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) v(x, y, z) = f(x, y, z);
    return v;
}

SegmentImage3d segment_3d(const Image3d<int>& values) {
    SpatialSegmentor3d<SegmentImage3d, Equal<int>> segmentor(no_parameters());
    auto input = std::make_shared<SegmentImage3d>();
    static_cast<Image3d<int>&>(*input) = values;
    return *segmentor.apply(input);
}

TEST(SpatialSegmentor3dTest, CheckerboardIsNumberedSliceRowColumn) {
    const auto board = volume(3, 2, 2, [](int x, int y, int z) { return (x + y + z) % 2; });
    const SegmentImage3d labels = segment_3d(board);
    EXPECT_EQ(labels.number_of_segments, 12);
    for (int z = 0; z < 2; ++z)
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) EXPECT_EQ(labels(x, y, z), z * 6 + y * 3 + x);
}

TEST(SpatialSegmentor3dTest, RegionsConnectThroughLaterSlices) {
    // In slice 0 the two 1-voxels are apart; slice 1 is all 1 and joins them.
    const auto joined = volume(3, 1, 2, [](int x, int, int z) { return z == 1 || x != 1 ? 1 : 0; });
    const SegmentImage3d labels = segment_3d(joined);
    EXPECT_EQ(labels.number_of_segments, 2);
    EXPECT_EQ(labels(0, 0, 0), 0);
    EXPECT_EQ(labels(1, 0, 0), 1);
    EXPECT_EQ(labels(2, 0, 0), 0);
    for (int x = 0; x < 3; ++x) EXPECT_EQ(labels(x, 0, 1), 0);

    const SegmentImage3d uniform = segment_3d(volume(2, 2, 3, [](int, int, int) { return 4; }));
    EXPECT_EQ(uniform.number_of_segments, 1);
}

// Flood fill visiting voxels slice by slice, row by row, column by column.
SegmentImage3d flood_fill_reference_3d(const Image3d<int>& image) {
    SegmentImage3d labels(image.width(), image.height(), image.depth());
    labels.fill(-1);
    int next = 0;
    for (int z = 0; z < image.depth(); ++z)
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                if (labels(x, y, z) >= 0) continue;
                std::deque<std::array<int, 3>> open{{x, y, z}};
                labels(x, y, z) = next;
                while (!open.empty()) {
                    const auto p = open.front();
                    open.pop_front();
                    for (int axis = 0; axis < 3; ++axis)
                        for (int step : {-1, 1}) {
                            auto q = p;
                            q[axis] += step;
                            if (q[0] < 0 || q[1] < 0 || q[2] < 0 || q[0] >= image.width() ||
                                q[1] >= image.height() || q[2] >= image.depth())
                                continue;
                            if (labels(q[0], q[1], q[2]) >= 0 || image(q[0], q[1], q[2]) != image(p[0], p[1], p[2]))
                                continue;
                            labels(q[0], q[1], q[2]) = next;
                            open.push_back(q);
                        }
                }
                ++next;
            }
    labels.number_of_segments = next;
    return labels;
}

TEST(SpatialSegmentor3dTest, AgreesWithFloodFillOnRandomVolumes) {
    std::mt19937 random(54321);
    SpatialSegmentor3d<SegmentImage3d, Equal<int>> segmentor(no_parameters());
    for (int trial = 0; trial < 100; ++trial) {
        auto input = std::make_shared<SegmentImage3d>(1 + random() % 6, 1 + random() % 6, 1 + random() % 5);
        const int colours = 2 + random() % 2;
        for (auto& slice : input->slices())
            for (int& v : slice) v = static_cast<int>(random() % colours);
        const SegmentImage3d labels = *segmentor.apply(input);
        const SegmentImage3d expected = flood_fill_reference_3d(*input);
        ASSERT_EQ(labels.number_of_segments, expected.number_of_segments) << "trial " << trial;
        ASSERT_TRUE(labels == expected) << "trial " << trial;
    }
}

TEST(SpatialSegmentor3dTest, SegmentedPairIsRelabelled) {
    SegmentedImage3dSpatialSegmentor3d<SegmentImage3d> segmentor(no_parameters());
    auto source = std::make_shared<SegmentImage3d>(2, 1, 2);
    (*source)(0, 0, 0) = 3;  // every other voxel 0
    auto pair = std::make_shared<SegmentedImage3d<SegmentImage3d>>(source, std::make_shared<SegmentImage3d>(2, 1, 0));
    auto result = segmentor.apply(pair);
    EXPECT_EQ(result->image, source);
    EXPECT_EQ(result->segmentation->depth(), 2);
    EXPECT_EQ(result->segmentation->number_of_segments, 2);
    EXPECT_EQ((*result->segmentation)(0, 0, 0), 0);
    EXPECT_EQ((*result->segmentation)(1, 0, 1), 1);
}

}  // namespace
