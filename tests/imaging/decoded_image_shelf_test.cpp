#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "imaging/decoded_image_shelf.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using Shelf = ipc::DecodedImageShelf;
using Picture = ipc::Image<unsigned short>;

// A file of `bytes` bytes (the shelf looks at its name, size and time only).
std::string touch(const fs::path& folder, const std::string& name, int bytes = 8) {
    const fs::path file = folder / name;
    std::ofstream(file) << std::string(static_cast<std::size_t>(bytes), 'x');
    return file.string();
}

// A file in a watched folder and one in a folder beside it.
struct TwoFolders {
    test_support::TempDir dir{"shelf"};
    std::string watched_folder = dir.str() + "/images/";
    std::string watched = make(dir.path() / "images");
    std::string unwatched = make(dir.path() / "other");
    static std::string make(const fs::path& folder) {
        fs::create_directories(folder);
        return touch(folder, "t0.tif");
    }
};

TEST(DecodedImageShelfTest, KeepsImagesOfWatchedFoldersOnlyAndHandsEachOutOnce) {
    TwoFolders files;
    const std::string& watched = files.watched;
    const std::string& unwatched = files.unwatched;
    const test_support::TempDir& dir = files.dir;
    Shelf shelf;
    shelf.watch(files.watched_folder);
    shelf.offer(watched, Picture(3, 2, 7));
    shelf.offer(unwatched, Picture(3, 2, 7));
    EXPECT_EQ(shelf.size(), 1u);

    // Another spelling of the same file finds it.
    const auto taken = shelf.take(dir.str() + "/other/../images/t0.tif");
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(taken->width(), 3);
    EXPECT_EQ((*taken)(2, 1), 7);
    EXPECT_EQ(shelf.take(watched), nullptr);
    EXPECT_EQ(shelf.take(unwatched), nullptr);
}

TEST(DecodedImageShelfTest, DropsOffersBeyondItsCapacityAndImagesOfAnUnwatchedFolder) {
    test_support::TempDir dir("shelf");
    const std::string a = touch(dir.path(), "a.tif");
    const std::string b = touch(dir.path(), "b.tif");
    const std::string c = touch(dir.path(), "c.tif");
    Shelf shelf(2 * 6 * sizeof(unsigned short));  // two images of 3 x 2
    shelf.watch(dir.str());
    shelf.watch(dir.str());
    shelf.offer(a, Picture(3, 2, 1));
    shelf.offer(b, Picture(3, 2, 2));
    shelf.offer(c, Picture(3, 2, 3));
    EXPECT_EQ(shelf.take(c), nullptr);
    EXPECT_NE(shelf.take(a), nullptr);  // room again
    shelf.offer(c, Picture(3, 2, 3));
    EXPECT_EQ(shelf.size(), 2u);

    shelf.unwatch(dir.str());  // still watched once
    EXPECT_EQ(shelf.size(), 2u);
    shelf.unwatch(dir.str());
    EXPECT_EQ(shelf.size(), 0u);
    shelf.offer(a, Picture(3, 2, 1));
    EXPECT_EQ(shelf.size(), 0u);
}

TEST(DecodedImageShelfTest, ASharedImageMovesOntoTheShelfWhenItsLastHolderLetsGo) {
    TwoFolders files;
    const std::string& watched = files.watched;
    Shelf shelf;
    shelf.watch(files.watched_folder);

    auto image = shelf.share(watched, Picture(3, 2, 7));
    const unsigned short* pixels = image->data();
    auto held = image;
    image.reset();
    EXPECT_EQ(shelf.size(), 0u);  // still held by a frame
    held.reset();
    const auto taken = shelf.take(watched);
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(taken->data(), pixels);  // the same pixels, not a copy
    EXPECT_EQ((*taken)(2, 1), 7);

    shelf.share(files.unwatched, Picture(3, 2, 7)).reset();
    EXPECT_EQ(shelf.size(), 0u);
    // A folder no longer watched when the image is released.
    auto late = shelf.share(watched, Picture(3, 2, 7));
    shelf.unwatch(files.watched_folder);
    late.reset();
    EXPECT_EQ(shelf.size(), 0u);
}

TEST(DecodedImageShelfTest, AFileChangedSinceItWasReadIsReadAgain) {
    test_support::TempDir dir("shelf");
    const std::string file = touch(dir.path(), "t0.tif");
    Shelf shelf;
    shelf.watch(dir.str());
    shelf.offer(file, Picture(3, 2, 1));
    touch(dir.path(), "t0.tif", 9);
    EXPECT_EQ(shelf.take(file), nullptr);
    EXPECT_EQ(shelf.size(), 0u);
    // Changed after the read but before the frames let the image go.
    auto image = shelf.share(file, Picture(3, 2, 1));
    touch(dir.path(), "t0.tif", 10);
    image.reset();
    EXPECT_EQ(shelf.take(file), nullptr);
}

}  // namespace
