#include <gtest/gtest.h>

#include <fstream>

#include "celltracking/background_images.h"
#include "imaging/tiff_page_writer.h"
#include "support/temp_dir.h"

namespace {

// Three 3 x 2 images filled with 10, 20 and 30, then a file that is no TIFF.
std::deque<std::string> numbered_images(const test_support::TempDir& dir) {
    std::deque<std::string> files;
    for (int k = 1; k <= 3; ++k) {
        files.push_back(dir.str() + "/t" + std::to_string(k) + ".tif");
        ipc::write_greyscale_tiff(files.back(), ipc::Image<unsigned short>(3, 2, static_cast<unsigned short>(10 * k)));
    }
    files.push_back(dir.str() + "/broken.tif");
    std::ofstream(files.back()) << "not an image";
    return files;
}

class BackgroundImagesTest : public ::testing::TestWithParam<bool> {};

TEST_P(BackgroundImagesTest, ImagesComeInFileOrderAndABrokenFileFailsAtItsOwnFrame) {
    test_support::TempDir dir("backgrounds");
    isbi::BackgroundImages backgrounds(numbered_images(dir), GetParam());
    for (int k = 1; k <= 3; ++k) {
        ASSERT_FALSE(backgrounds.empty());
        const auto image = backgrounds.next(false);
        EXPECT_EQ(image.width(), 3);
        EXPECT_EQ(image(2, 1), 10 * k) << "frame " << k;
    }
    ASSERT_FALSE(backgrounds.empty());
    EXPECT_THROW(backgrounds.next(false), std::exception);
    EXPECT_TRUE(backgrounds.empty());
}

TEST_P(BackgroundImagesTest, AStackResultReadsTheSameFilesAsStacks) {
    test_support::TempDir dir("background_stacks");
    isbi::BackgroundImages backgrounds(numbered_images(dir), GetParam());
    EXPECT_EQ(backgrounds.next(false)(0, 0), 10);
    // The read ahead was made for a 2-D result; a stack result reads again.
    EXPECT_EQ(backgrounds.next(true)(0, 0), 20);
    EXPECT_EQ(backgrounds.next(true)(1, 1), 30);
    // Dropped here while the broken file is being read ahead: its error
    // goes with it.
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutReadAhead, BackgroundImagesTest, ::testing::Bool());

}  // namespace
