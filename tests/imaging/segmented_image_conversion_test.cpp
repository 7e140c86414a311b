#include <gtest/gtest.h>

#include "imaging/algorithm_component.h"
#include "imaging/segment_value_converters.h"
#include "imaging/segmented_image_adapters.h"
#include "imaging_test_support.h"

namespace {

using namespace ipc;
using ipc_test::element;
using ipc_test::image_from_rows;
using ipc_test::rows_of;

using Rows = std::vector<std::vector<unsigned short>>;

const xml::Querier& no_parameters() {
    static const xml::Querier q = element("<x/>");
    return q;
}

TEST(SegmentedImageAdapterTest, InitializersShareTheImageAndStartWithOneSegment) {
    auto image = std::make_shared<Image<unsigned short>>(3, 2, 9);
    auto pair = SegmentedImageInitializer<Image<unsigned short>>(no_parameters()).apply(image);
    EXPECT_EQ(pair->image, image);
    EXPECT_EQ(pair->segmentation->number_of_segments, 1);
    EXPECT_TRUE(*pair->segmentation == Image<int>(3, 2, 0));

    auto stack = std::make_shared<Image3d<unsigned short>>(4, 5, 6);
    auto pair3d = SegmentedImage3dInitializer<Image3d<unsigned short>>(no_parameters()).apply(stack);
    EXPECT_EQ(pair3d->image, stack);
    EXPECT_EQ(pair3d->segmentation->width(), 4);
    EXPECT_EQ(pair3d->segmentation->height(), 5);
    EXPECT_EQ(pair3d->segmentation->depth(), 0);
    EXPECT_EQ(pair3d->segmentation->number_of_segments, 1);

    EXPECT_EQ(SegmentedImageToSegmentImageConverter<Image<unsigned short>>(no_parameters()).apply(pair),
              pair->segmentation);
    EXPECT_EQ(SegmentedImage3dToSegmentImage3dConverter<Image3d<unsigned short>>(no_parameters()).apply(pair3d),
              pair3d->segmentation);
}

// Segment 0: {1, 2} -> mean 1.5 rounds to 2; segment 1: {10, 10, 10};
// segment 2: {4}; segment 3: {5, 3} -> 4, the same as segment 2; segment 4
// has no pixels.
struct ConverterInput {
    std::shared_ptr<SegmentedImage<Image<unsigned short>>> pair;
    ConverterInput() {
        auto image = std::make_shared<Image<unsigned short>>(image_from_rows<unsigned short>({{1, 2, 10, 5}, {4, 10, 10, 3}}));
        auto labels = std::make_shared<SegmentImage>(image_from_rows<int>({{0, 0, 1, 3}, {2, 1, 1, 3}}));
        labels->number_of_segments = 5;
        pair = std::make_shared<SegmentedImage<Image<unsigned short>>>(image, labels);
    }
};

TEST(SegmentValueConverterTest, ProjectedGivesEachPixelItsSegmentsRoundedMean) {
    ConverterInput input;
    auto projected = SegmentedToProjectedConverter<Image<unsigned short>>(no_parameters()).apply(input.pair);
    EXPECT_EQ(rows_of(*projected), (Rows{{2, 2, 10, 4}, {4, 10, 10, 4}}));
}

TEST(SegmentValueConverterTest, OrderedNumbersTheDistinctMeansFromDarkest) {
    ConverterInput input;
    auto ordered = SegmentedToOrderedConverter<Image<unsigned short>>(no_parameters()).apply(input.pair);
    // Distinct means 2, 4, 10 -> 0, 1, 2; the empty segment takes no number.
    EXPECT_EQ(rows_of(*ordered), (Rows{{0, 0, 2, 1}, {1, 2, 2, 1}}));
}

TEST(SegmentValueConverterTest, RejectsSegmentationsThatDoNotFit) {
    ConverterInput input;
    SegmentedToProjectedConverter<Image<unsigned short>> projected(no_parameters());
    input.pair->segmentation->number_of_segments = 3;
    EXPECT_MESSAGE(projected.apply(input.pair), "segment label out of range, label = 3, number_of_segments = 3");
    input.pair->segmentation->resize(2, 4);
    EXPECT_MESSAGE(projected.apply(input.pair), "segmentation size 2 x 4 differs from image size 4 x 2");
}

TEST(SegmentValueConverterTest, ComponentKeysAreComposedFromTypeWords) {
    EXPECT_EQ(AlgorithmComponent<SegmentedToProjectedConverter<Image<unsigned short>>>::key(),
              "short_image_segmented_to_projected_converter_algorithm_component");
    EXPECT_EQ(AlgorithmComponent<SegmentedImage3dInitializer<SegmentImage3d>>::key(),
              "segment_image_3d_segmented_image_3d_initializer_algorithm_component");
}

}  // namespace
