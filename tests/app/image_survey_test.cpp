#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <random>

#include "app/cells/image_survey.h"
#include "app/cells_test_support.h"
#include "support/expect_message.h"
#include "support/temp_dir.h"

namespace {

using cells::ObjectSize;
using cells_test::Blob;
namespace fs = std::filesystem;

TEST(ImageSurvey, DiameterIsTheMedianWholeObjectAsADiscOrBall) {
    const double pi = std::acos(-1.0);
    // Discs of 100 pixels have a diameter of 2 sqrt(100 / pi).
    const std::vector<ObjectSize> discs = {{90, false}, {100, false}, {400, false}, {3, false}, {10, true}};
    EXPECT_NEAR(*cells::typical_diameter(discs, 2), 2 * std::sqrt(100 / pi), 1e-9);
    // With fewer than three whole objects the cut ones count too; specks never.
    const std::vector<ObjectSize> cut = {{100, false}, {50, true}, {2, false}};
    EXPECT_NEAR(*cells::typical_diameter(cut, 2), 2 * std::sqrt(100 / pi), 1e-9);
    EXPECT_NEAR(*cells::typical_diameter({{523, false}}, 3), std::cbrt(6 * 523 / pi), 1e-9);
    EXPECT_FALSE(cells::typical_diameter({{3, false}}, 2));
    EXPECT_FALSE(cells::typical_diameter({}, 2));
}

TEST(ImageSurvey, TypicalMoveIsTheMedianDistanceToTheNearestCellOfTheNextFrame) {
    // A grid of cells 40 pixels apart, all moving by (3, 4) each frame; in
    // the last frame one cell has gone and a newcomer appeared far off.
    std::vector<std::vector<cells::Centre>> frames(3);
    for (int t = 0; t < 3; ++t)
        for (int i = 0; i < 16; ++i) frames[t].push_back({40.0 * (i % 4) + 3 * t, 40.0 * (i / 4) + 4 * t});
    frames[2].erase(frames[2].begin());
    frames[2].push_back({500, 500});
    EXPECT_NEAR(*cells::typical_move(frames), 5.0, 1e-9);
    // Too few cells to say.
    EXPECT_FALSE(cells::typical_move({{{0, 0}, {50, 50}}, {{1, 1}, {51, 51}}}));
    EXPECT_FALSE(cells::typical_move({frames[0]}));
}

TEST(ImageSurvey, SignalToNoiseIsCellContrastOverPixelNoise) {
    // Background 1000 with noise of standard deviation 20 (Box-Muller from a
    // fixed generator), and squares 400 brighter covering a tenth of it.
    ipc::Image3d<unsigned short> stack(200, 200, 1);
    std::mt19937 engine(3);
    const auto uniform = [&] { return (engine() + 0.5) / 4294967296.0; };
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x) {
            const double z = std::sqrt(-2 * std::log(uniform())) * std::cos(6.283185307179586 * uniform());
            const bool cell = x % 40 < 13 && y % 40 < 12;
            stack(x, y, 0) = static_cast<unsigned short>(std::lround(1000 + (cell ? 400 : 0) + 20 * z));
        }
    EXPECT_NEAR(*cells::signal_to_noise(stack), 20.0, 2.0);
    ipc::Image3d<unsigned short> flat(50, 50, 1);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 50; ++x) flat(x, y, 0) = 700;
    EXPECT_FALSE(cells::signal_to_noise(flat));  // one grey level: nothing stands out
}

TEST(ImageSurvey, ElongationTellsRodsFromRoundCells) {
    ObjectSize rod, disc;
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 24; ++x) rod.add(x + y, y);  // a slanted 24 x 6 bar
    for (int y = -5; y <= 5; ++y)
        for (int x = -5; x <= 5; ++x)
            if (x * x + y * y <= 25) disc.add(x, y);
    EXPECT_GT(rod.elongation(), 3.0);
    EXPECT_NEAR(disc.elongation(), 1.0, 1e-9);
    // The median over cells, specks and cut cells left out as for the diameter.
    ObjectSize speck;
    speck.add(0, 0);
    EXPECT_NEAR(*cells::typical_elongation({rod, rod, disc, speck}), rod.elongation(), 1e-12);
    EXPECT_FALSE(cells::typical_elongation({speck}));
}

TEST(ImageSurvey, FindsSizeDepthAndCellDiameterInRawImagesMasksAndStacks) {
    test_support::TempDir dir("survey");
    const std::vector<Blob> blobs = {{10, 10, 4, 0, 0, 0, 4}, {30, 12, 4, 0, 0, 0, 4}, {20, 30, 4, 0, 0, 0, 4}};
    cells_test::write_blob_sequence(dir.path() / "raw", blobs, 48, 40, 1, 2);
    cells_test::write_blob_sequence(dir.path() / "masks", blobs, 48, 40, 1, 2, true);
    cells_test::write_blob_sequence(dir.path() / "stacks", blobs, 48, 40, 9, 2);
    for (const char* kind : {"raw", "masks", "stacks"}) {
        const bool masks = std::string(kind) == "masks";
        const cells::ImageSurvey survey = cells::survey_images((dir.path() / kind).string(), masks);
        EXPECT_EQ(survey.files.size(), 2u);
        EXPECT_EQ(survey.width, 48);
        EXPECT_EQ(survey.height, 40);
        const bool stacks = std::string(kind) == "stacks";
        EXPECT_EQ(survey.depth, stacks ? 9 : 1);
        EXPECT_EQ(survey.dimensions(), stacks ? 3 : 2);
        ASSERT_TRUE(survey.diameter) << kind;
        // A radius of 4 covers 49 pixel centres (257 voxel centres): a disc
        // (ball) of diameter 7.9.
        EXPECT_NEAR(*survey.diameter, 7.9, 0.05) << kind;
        EXPECT_EQ(fs::path(survey.diameter_source).filename(), "t000.tif");
        // Round blobs; stacks are not measured for shape.
        if (stacks) EXPECT_FALSE(survey.elongation);
        else EXPECT_LT(*survey.elongation, 1.2) << kind;
    }
}

TEST(ImageSurvey, EmptyMissingOrMismatchedFoldersAreRefusedByName) {
    test_support::TempDir dir("survey_errors");
    const std::string missing = (dir.path() / "missing").string();
    EXPECT_MESSAGE(cells::survey_images(missing, false), "no such folder: " + missing);
    fs::create_directories(dir.path() / "empty");
    std::ofstream(dir.path() / "empty" / "notes.txt") << "no images here\n";
    const std::string empty = (dir.path() / "empty").string();
    EXPECT_MESSAGE(cells::survey_images(empty, false), "no TIFF files (.tif, .tiff) in " + empty);

    cells_test::write_blob_sequence(dir.path() / "mixed", {}, 32, 32, 1, 1);
    fs::rename(dir.path() / "mixed" / "t000.tif", dir.path() / "mixed" / "a.tif");
    cells_test::write_blob_sequence(dir.path() / "mixed", {}, 32, 16, 1, 1);
    const std::string mixed = (dir.path() / "mixed").string();
    EXPECT_MESSAGE(cells::survey_images(mixed, false), "images differ in size: " + mixed + "/a.tif is 32 x 32 x 1, " +
                                                           mixed + "/t000.tif is 32 x 16 x 1");
    // Empty masks have a size but no cell to measure.
    cells_test::write_blob_sequence(dir.path() / "blank", {}, 32, 32, 1, 2, true);
    const cells::ImageSurvey blank = cells::survey_images((dir.path() / "blank").string(), true);
    EXPECT_EQ(blank.width, 32);
    EXPECT_FALSE(blank.diameter);
}

}  // namespace
