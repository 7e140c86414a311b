#include <gtest/gtest.h>

#include <random>

#include "imaging/segment_runs.h"
#include "imaging/segment_states.h"

namespace {

using ipc::SegmentImage;

// Nuclei as squares of labels 1.., some touching, on a zero background.
std::shared_ptr<SegmentImage> squares(int width, int height, int count, unsigned seed) {
    auto image = std::make_shared<SegmentImage>(width, height);
    std::mt19937 random(seed);
    for (int label = 1; label <= count; ++label) {
        const int x0 = static_cast<int>(random() % static_cast<unsigned>(width));
        const int y0 = static_cast<int>(random() % static_cast<unsigned>(height));
        for (int y = y0; y < std::min(height, y0 + 6); ++y)
            for (int x = x0; x < std::min(width, x0 + 7); ++x) (*image)(x, y) = label;
    }
    image->number_of_segments = count + 1;
    return image;
}

TEST(SegmentRunsTest, PaintsBackExactlyWhatWasEncoded) {
    for (unsigned seed : {1u, 2u, 3u}) {
        const auto image = squares(61, 37, 25, seed);
        (*image)(60, 36) = 3;  // a run ending at the last pixel
        ipc::SegmentRuns runs;
        ASSERT_TRUE(ipc::SegmentRuns::encode(*image, runs));
        SegmentImage painted(5, 5, 9);  // any old content is replaced
        runs.paint(painted);
        EXPECT_TRUE(painted == *image) << seed;
        EXPECT_EQ(painted.number_of_segments, image->number_of_segments);
    }
}

// A segmentation cut into specks would take more room as runs: the state
// then shares the image, and gives the same labels either way.
TEST(SegmentRunsTest, StateKeepsSpecksAsTheImageAndPaintsEitherForm) {
    auto specks = std::make_shared<SegmentImage>(16, 16);
    for (std::size_t i = 0; i < specks->size(); ++i) (*specks)[i] = static_cast<int>(i % 2 + 1);
    specks->number_of_segments = 3;
    ipc::SegmentRuns runs;
    EXPECT_FALSE(ipc::SegmentRuns::encode(*specks, runs));
    for (const auto& image : {specks, squares(40, 30, 8, 4)}) {
        const ipc::SegmentImageState state(image);
        EXPECT_EQ(state.width(), image->width());
        EXPECT_EQ(state.height(), image->height());
        const auto painted = state.segmentation();
        ASSERT_TRUE(painted);
        EXPECT_TRUE(*painted == *image);
        EXPECT_EQ(painted->number_of_segments, image->number_of_segments);
    }
    EXPECT_FALSE(ipc::SegmentImageState(nullptr).has_segmentation());
}

}  // namespace
