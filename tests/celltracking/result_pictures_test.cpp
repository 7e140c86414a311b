#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>
#include <random>
#include <regex>

#include "celltracking/isbi_frame_writer.h"
#include "celltracking/lineage_svg.h"
#include "celltracking/overlay_picture.h"
#include "celltracking/file_write_queue.h"
#include "celltracking/picture_writers.h"
#include "celltracking_test_support.h"
#include "imaging/tiff_page_writer.h"
#include "support/expect_message.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using cell_test::element;
using isbi::OverlayColours;

// Reads a PNG back as 8-bit RGB rows through libpng's simplified API.
std::vector<isbi::Rgb> read_png(const std::string& name, int& width, int& height) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    EXPECT_TRUE(png_image_begin_read_from_file(&image, name.c_str())) << name;
    image.format = PNG_FORMAT_RGB;
    std::vector<isbi::Rgb> pixels(PNG_IMAGE_SIZE(image) / 3);
    EXPECT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) << name;
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    return pixels;
}

bool same(const isbi::Rgb& a, const isbi::Rgb& b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

// A 12 x 8 mask with label 3 on a 4 x 4 square at (2, 2) and an image that
// is 100 everywhere but 900 on the square.
isbi::Mask square_mask() {
    isbi::Mask mask(12, 8, 0);
    for (int y = 2; y < 6; ++y)
        for (int x = 2; x < 6; ++x) mask(x, y) = 3;
    return mask;
}

TEST(OverlayPictureTest, ImageInGreyOutlinesInTheLabelColourAndTheNumberBeside) {
    const isbi::Mask mask = square_mask();
    ipc::Image<unsigned short> image(12, 8, 100);
    for (int y = 2; y < 6; ++y)
        for (int x = 2; x < 6; ++x) image(x, y) = 900;
    isbi::IndexedPicture picture = isbi::render_overlay(&image, mask);
    const std::uint8_t colour = OverlayColours::of_label(3);
    EXPECT_EQ(picture.at(2, 2), colour);  // corner of the square
    EXPECT_EQ(picture.at(5, 4), colour);  // right edge
    EXPECT_EQ(picture.at(3, 3), OverlayColours::greys - 1);  // inside: the bright end of the ramp
    EXPECT_EQ(picture.at(0, 7), 0);                           // background: the dark end
    // The digit 3 (rows 111, 001, 111, 001, 111) stands right of the
    // square from x = 7, white within a black border.
    EXPECT_EQ(picture.at(6, 2), OverlayColours::black);
    EXPECT_EQ(picture.at(7, 2), OverlayColours::white);
    EXPECT_EQ(picture.at(9, 3), OverlayColours::white);
    EXPECT_EQ(picture.at(8, 3), OverlayColours::black);
    EXPECT_EQ(picture.at(7, 6), OverlayColours::white);

    // Without an image the background is black.
    picture = isbi::render_overlay(nullptr, mask);
    EXPECT_EQ(picture.at(3, 3), 0);
    EXPECT_MESSAGE(isbi::render_overlay(&image, isbi::Mask(5, 5, 0)), "the image is 12 x 8, the mask 5 x 5");
}

TEST(OverlayPictureTest, PngHoldsThePictureInThePaletteColours) {
    test_support::TempDir dir("png");
    const std::string name = dir.str() + "/picture.png";
    isbi::IndexedPicture picture(5, 3, 0);
    picture.at(1, 0) = OverlayColours::white;
    picture.at(4, 2) = OverlayColours::of_label(7);
    isbi::write_indexed_png(name, picture, OverlayColours::palette());
    int width = 0, height = 0;
    const auto pixels = read_png(name, width, height);
    ASSERT_EQ(width, 5);
    ASSERT_EQ(height, 3);
    EXPECT_TRUE(same(pixels[1], {255, 255, 255}));
    EXPECT_TRUE(same(pixels[14], OverlayColours::rgb_of_label(7)));
    EXPECT_TRUE(same(pixels[0], {0, 0, 0}));
    EXPECT_MESSAGE(isbi::write_indexed_png(dir.str() + "/absent/p.png", picture, OverlayColours::palette()),
                   "Unable to open file: " + dir.str() + "/absent/p.png");
}

// A picture of random colours, `width` x `height`.
isbi::IndexedPicture random_picture(int width, int height, std::mt19937& random) {
    isbi::IndexedPicture picture(width, height, 0);
    for (auto& p : picture.pixels) p = static_cast<std::uint8_t>(random());
    return picture;
}

void expect_png_holds(const std::string& name, const isbi::IndexedPicture& picture) {
    int w = 0, h = 0;
    const auto pixels = read_png(name, w, h);
    ASSERT_EQ(w, picture.width) << name;
    ASSERT_EQ(h, picture.height) << name;
    for (std::size_t i = 0; i < pixels.size(); ++i)
        ASSERT_TRUE(same(pixels[i], OverlayColours::palette()[picture.pixels[i]])) << name << " pixel " << i;
}

TEST(OverlayPictureTest, PngsOfAnySizeDecodeToTheirPictures) {
    test_support::TempDir dir("png_sizes");
    std::mt19937 random(7);
    // The largest compresses to more than one IDAT chunk of 1 MiB.
    for (const auto& [width, height] : std::vector<std::pair<int, int>>{{1, 1}, {5, 3}, {300, 201}, {1100, 1000}}) {
        const isbi::IndexedPicture picture = random_picture(width, height, random);
        const std::string name = dir.str() + "/p" + std::to_string(width) + ".png";
        isbi::write_indexed_png(name, picture, OverlayColours::palette());
        expect_png_holds(name, picture);
    }
}

TEST(OverlayPictureTest, QueuedPicturesAreAllWrittenAndAFailureIsReportedLater) {
    test_support::TempDir dir("png_queue");
    std::mt19937 random(9);
    std::vector<isbi::IndexedPicture> pictures;
    for (int k = 0; k < 4; ++k) pictures.push_back(random_picture(64 + k, 48, random));
    const auto png_job = [](std::string name, const isbi::IndexedPicture& picture) {
        return [name, picture] { isbi::write_indexed_png(name, picture, OverlayColours::palette()); };
    };
    for (bool concurrent : {false, true}) {
        isbi::FileWriteQueue queue(concurrent);
        for (std::size_t k = 0; k < pictures.size(); ++k)
            queue.write(png_job(dir.str() + "/q" + std::to_string(concurrent) + std::to_string(k) + ".png", pictures[k]));
        queue.finish();
        for (std::size_t k = 0; k < pictures.size(); ++k)
            expect_png_holds(dir.str() + "/q" + std::to_string(concurrent) + std::to_string(k) + ".png", pictures[k]);
    }
    // A picture that cannot be written fails the call that waits for it.
    isbi::FileWriteQueue queue(true);
    const std::string absent = dir.str() + "/absent/p.png";
    queue.write(png_job(absent, pictures[0]));
    EXPECT_MESSAGE(queue.finish(), "Unable to open file: " + absent);
    queue.write(png_job(absent, pictures[0]));
    EXPECT_MESSAGE(queue.write(png_job(dir.str() + "/after.png", pictures[1])), "Unable to open file: " + absent);
}

TEST(OverlayPictureTest, LabelsUpToTheLargestSixteenBitValueAreOutlinedAndNumbered) {
    isbi::Mask mask(40, 12, 0);
    mask(1, 5) = 65535;
    mask(30, 5) = 2;
    isbi::IndexedPicture picture = isbi::render_overlay(nullptr, mask);
    EXPECT_EQ(picture.at(1, 5), OverlayColours::of_label(65535));
    EXPECT_EQ(picture.at(30, 5), OverlayColours::of_label(2));
    // The number's first digit, 6, starts two pixels right of the label.
    EXPECT_EQ(picture.at(3, 3), OverlayColours::white);
}

TEST(OverlayPictureTest, ThreeDimensionalResultsAreProjectedAlongZ) {
    isbi::Mask3d labels(2, 1, 3);
    labels.fill(0);
    labels(0, 0, 2) = 4;
    labels(0, 0, 1) = 5;  // nearer the top slice
    EXPECT_EQ(isbi::project_labels(labels)(0, 0), 5);
    EXPECT_EQ(isbi::project_labels(labels)(1, 0), 0);
    ipc::Image3d<unsigned short> image(2, 1, 3);
    image.fill(10);
    image(1, 0, 2) = 70;
    EXPECT_EQ(isbi::project_brightest(image)(1, 0), 70);
}

std::vector<double> numbers(const std::string& text, const std::string& pattern) {
    std::vector<double> found;
    const std::regex form(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), form); it != std::sregex_iterator(); ++it)
        found.push_back(std::stod((*it)[1]));
    return found;
}

TEST(LineageSvgTest, EveryTrackIsABarAndEveryChildHangsFromItsParent) {
    // 1 divides into 2 and 3; 3 continues as 5 after a gap; 4 stands alone.
    std::map<std::int32_t, isbi::TrackLineage::Segment> tracks = {
        {1, {0, 3, 0}}, {2, {4, 9, 1}}, {3, {4, 5, 1}}, {4, {2, 9, 0}}, {5, {7, 9, 3}}};
    std::ostringstream out;
    isbi::write_lineage_svg(out, tracks);
    const std::string svg = out.str();
    EXPECT_NE(svg.find("<title>Cell lineage: 5 tracks, frames 0 to 9</title>"), std::string::npos);
    // One bar per track, in label order, all vertical.
    const auto x1 = numbers(svg, "<line x1=\"([0-9.]+)\" y1=\"[0-9.]+\" x2=\"[0-9.]+\" y2=\"[0-9.]+\" stroke=\"#");
    ASSERT_EQ(x1.size(), 5u);
    // Leaves 2, 5, 4 take the columns from the left; 3 stands over 5 and 1
    // over the middle of 2 and 3.
    EXPECT_LT(x1[1], x1[4]);
    EXPECT_LT(x1[4], x1[3]);
    EXPECT_DOUBLE_EQ(x1[2], x1[4]);
    EXPECT_DOUBLE_EQ(x1[0], (x1[1] + x1[2]) / 2);
    // Three children, three forks.
    EXPECT_EQ(numbers(svg, "<path d=\"M([0-9.]+) ").size(), 3u);
    // Time runs down: bar 2 starts lower than bar 1.
    const auto y1 = numbers(svg, "<line x1=\"[0-9.]+\" y1=\"([0-9.]+)\" x2=\"[0-9.]+\" y2=\"[0-9.]+\" stroke=\"#");
    EXPECT_GT(y1[1], y1[0]);
}

std::string writer_chain(const std::string& directory, const std::string& extra) {
    return "<isbi_frame_writer><directory>" + directory +
           "</directory><create>false</create><distance_gate>3</distance_gate></isbi_frame_writer>" + extra;
}

TEST(PictureWritersTest, WriteAnOverlayPerFrameAndTheLineageAtTheEnd) {
    test_support::TempDir dir("pictures");
    fs::create_directories(dir.path() / "images");
    for (int k = 0; k < 2; ++k)
        ipc::write_greyscale_tiff((dir.path() / "images" / ("t" + std::to_string(k) + ".tif")).string(),
                                  ipc::Image<unsigned short>(4, 3, static_cast<unsigned short>(100 + k)));
    isbi::IsbiFrameWriter writer(element(writer_chain(dir.str(), "")));
    auto overlay = std::make_shared<isbi::OverlayPngWriter>(element(
        "<overlay_png_writer><directory>" + dir.str() + "/overlay</directory><create>true</create><image_directory>" +
        dir.str() + "/images</image_directory></overlay_png_writer>"));
    auto lineage = std::make_shared<isbi::LineageSvgWriter>(
        element("<lineage_svg_writer><file>" + dir.str() + "/lineage.svg</file></lineage_svg_writer>"));
    auto collector = std::make_shared<cell_test::FrameCollector>();
    writer.insert_child(overlay);
    overlay->insert_child(lineage);
    lineage->insert_child(collector);

    const auto cells = cell_test::segmentation({{0, 1, 1, 0}, {0, 1, 2, 2}, {0, 0, 2, 2}});
    cell_test::Track cell = cell_test::cell_track({0, 1}, 1, 1.5, 0.5, 1);
    writer.push_frame(cell_test::make_frame(0, {cell}, cells));
    cell.n = 2;
    writer.push_frame(cell_test::make_frame(1, {cell, cell_test::cell_track({0, 2}, 1, 2.5, 1.5, 2)}, cells));
    writer.push_frame(nullptr);

    int width = 0, height = 0;
    const auto pixels = read_png(dir.str() + "/overlay/overlay001.png", width, height);
    ASSERT_EQ(width * height, 12);
    EXPECT_TRUE(same(pixels[1], OverlayColours::rgb_of_label(3)));  // the mother goes on as 3
    EXPECT_TRUE(same(pixels[6], OverlayColours::rgb_of_label(2)));  // its daughter
    EXPECT_TRUE(fs::exists(dir.str() + "/overlay/overlay000.png"));
    const std::string svg = cell_test::read_text(dir.str() + "/lineage.svg");
    EXPECT_NE(svg.find("3 tracks, frames 0 to 1"), std::string::npos) << svg;
    EXPECT_EQ(collector->frames.size(), 3u);
}

TEST(PictureWritersTest, MisplacedOrMisconfiguredWritersSayWhy) {
    test_support::TempDir dir("misplaced");
    isbi::OverlayPngWriter overlay(
        element("<overlay_png_writer><directory>" + dir.str() + "</directory><create>false</create></overlay_png_writer>"));
    EXPECT_MESSAGE(overlay.push_frame(cell_test::make_plain_frame(0, {})),
                   "overlay_png_writer: the frame carries no result mask; place this writer after isbi_frame_writer "
                   "or isbi_frame_writer_3d");
    EXPECT_MESSAGE(isbi::OverlayPngWriter(element("<overlay_png_writer><directory>" + dir.str() +
                                                  "</directory><create>false</create><image_directory>" + dir.str() +
                                                  "</image_directory></overlay_png_writer>")),
                   "overlay_png_writer: image_directory holds no TIFF file, image_directory = " + dir.str());
    EXPECT_MESSAGE(isbi::LineageSvgWriter(element("<lineage_svg_writer><file></file></lineage_svg_writer>")),
                   "lineage_svg_writer: file is empty: file = \"\"");
}

}  // namespace
