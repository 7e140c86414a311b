#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "imaging/synthetic/compressed_tiff.h"
#include "imaging/tiff_readers.h"
#include "imaging_test_support.h"

namespace {

using namespace ipc;
using ipc_test::element;
using ipc_test::page16;
using ipc_test::page8;
using ipc_test::RawPage;
using ipc_test::TempDir;

std::vector<std::uint16_t> ramp16(std::size_t count, std::uint16_t first, std::uint16_t step) {
    std::vector<std::uint16_t> values(count);
    for (std::size_t i = 0; i < count; ++i) values[i] = static_cast<std::uint16_t>(first + i * step);
    return values;
}

std::string reader_config(const std::string& key, const std::string& directory, double start, double dt) {
    return "<" + key + "><directory>" + directory + "</directory><start_time>" + std::to_string(start) +
           "</start_time><dt>" + std::to_string(dt) + "</dt></" + key + ">";
}

TEST(TiffReaderTest, TakesTiffFilesInNameOrderAndTimesThemFromStartAndStep) {
    TempDir dir;
    // The first pixel tells which file a frame came from.
    ipc_test::write_raw_tiff(dir.file("b.tif"), {page16(2, 1, {2, 0})});
    ipc_test::write_raw_tiff(dir.file("a.TIFF"), {page16(2, 1, {1, 0})});
    ipc_test::write_raw_tiff(dir.file("c.tiff"), {page16(2, 1, {3, 0})});
    ipc_test::write_raw_tiff(dir.file("notes.txt"), {page16(2, 1, {9, 0})});
    ipc_test::write_raw_tiff(dir.file("d.tif.bak"), {page16(2, 1, {9, 0})});
    std::filesystem::create_directory(dir.file("e.tif"));

    ShortImageTiffReader reader(element(reader_config("short_image_tiff_reader", dir.path(), 5, 0.5)));
    auto collector = std::make_shared<ipc_test::FrameCollector>();
    reader.insert_child(collector);
    EXPECT_TRUE(reader.push());
    EXPECT_TRUE(reader.push());
    EXPECT_TRUE(reader.push());
    EXPECT_FALSE(reader.push());

    ASSERT_EQ(collector->frames.size(), 4u);
    const std::vector<double> times{5, 5.5, 6};
    for (int k = 0; k < 3; ++k) {
        auto frame = frame::cast<frame::FrameTemplate<Image<unsigned short>>>(collector->frames[k]);
        EXPECT_EQ(frame->time, times[k]);
        EXPECT_EQ((*frame->payload)(0, 0), k + 1);
    }
    EXPECT_EQ(collector->frames[3], nullptr);
}

TEST(TiffReaderTest, EmptyOrMissingDirectory) {
    TempDir dir;
    ShortImageTiffReader reader(element(reader_config("short_image_tiff_reader", dir.path(), 0, 1)));
    auto collector = std::make_shared<ipc_test::FrameCollector>();
    reader.insert_child(collector);
    EXPECT_FALSE(reader.push());
    ASSERT_EQ(collector->frames.size(), 1u);
    EXPECT_EQ(collector->frames[0], nullptr);

    EXPECT_THROW_CONTAINING(
        ShortImageTiffReader(element(reader_config("short_image_tiff_reader", dir.file("none"), 0, 1))),
        "unable to list directory " + dir.file("none"));
}

// Every compression libtiff can decode is read, at both depths.
TEST(TiffReaderTest, DecodesCompressedFilesOfOtherTools) {
    TempDir dir;
    const std::vector<std::uint16_t> compressions{COMPRESSION_NONE, COMPRESSION_LZW, COMPRESSION_PACKBITS,
                                                  COMPRESSION_ADOBE_DEFLATE};
    const auto wide = ramp16(12 * 5, 60000, 97);
    std::vector<std::uint8_t> narrow(12 * 5);
    for (std::size_t i = 0; i < narrow.size(); ++i) narrow[i] = static_cast<std::uint8_t>(i * 37);
    for (std::uint16_t compression : compressions) {
        for (bool eight_bits : {false, true}) {
            RawPage page = eight_bits ? page8(12, 5, narrow) : page16(12, 5, wide);
            page.compression = compression;
            const std::string name = dir.file("c" + std::to_string(compression) + (eight_bits ? "_8" : "_16") + ".tif");
            ipc_test::write_raw_tiff(name, {page});
            const Image<unsigned short> image = read_short_image_tiff(name);
            ASSERT_EQ(image.size(), 60u) << name;
            for (std::size_t i = 0; i < 60; ++i)
                ASSERT_EQ(image[i], eight_bits ? narrow[i] : wide[i]) << name << " pixel " << i;
        }
    }
    // Several strips of a few rows each, the last one shorter, with the
    // predictor: every strip lands on its own rows.
    Image<unsigned short> rows(1500, 7);
    for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = static_cast<unsigned short>(i * 2654435761u >> 9);
    const std::string strips = dir.file("strips.tif");
    synth::write_compressed_tiff(strips, rows);
    ASSERT_GT(ipc_test::first_page_tag(strips, TIFFTAG_ROWSPERSTRIP), 1);
    ASSERT_NE(7 % ipc_test::first_page_tag(strips, TIFFTAG_ROWSPERSTRIP), 0);
    const Image<unsigned short> back = read_short_image_tiff(strips);
    ASSERT_TRUE(back.same_size(rows));
    EXPECT_TRUE(std::equal(rows.begin(), rows.end(), back.begin()));
}

// Deflate strips are inflated by the reader itself where it can (either
// predictor, 8 or 16 bits, the host's byte order) and by libtiff otherwise:
// every combination gives the pixels written.
TEST(TiffReaderTest, DeflateStripsReadTheSameWithEitherPredictorAndByteOrder) {
    TempDir dir;
    const auto wide = ramp16(300 * 7, 1, 40503);
    std::vector<std::uint8_t> narrow(300 * 7);
    for (std::size_t i = 0; i < narrow.size(); ++i) narrow[i] = static_cast<std::uint8_t>(i * i * 37 >> 3);
    for (std::uint16_t predictor : {PREDICTOR_NONE, PREDICTOR_HORIZONTAL}) {
        for (bool eight_bits : {false, true}) {
            for (bool big_endian : {false, true}) {
                RawPage page = eight_bits ? page8(300, 7, narrow) : page16(300, 7, wide);
                page.compression = COMPRESSION_ADOBE_DEFLATE;
                page.predictor = predictor;
                page.rows_per_strip = 3;  // strips of 3, 3 and 1 rows
                const std::string name = dir.file("p" + std::to_string(predictor) + (eight_bits ? "_8" : "_16") +
                                                  (big_endian ? "_be" : "_le") + ".tif");
                ipc_test::write_raw_tiff(name, {page}, big_endian);
                const Image<unsigned short> image = read_short_image_tiff(name);
                ASSERT_EQ(image.size(), wide.size()) << name;
                for (std::size_t i = 0; i < image.size(); ++i)
                    ASSERT_EQ(image[i], eight_bits ? narrow[i] : wide[i]) << name << " pixel " << i;
            }
        }
    }
}

TEST(TiffReaderTest, RejectsFilesThatAreNotPlainGreyscale) {
    TempDir dir;
    struct Case {
        const char* what;
        RawPage page;
        std::string message;
    };
    RawPage min_is_white = page16(2, 2, {1, 2, 3, 4});
    min_is_white.photometric = PHOTOMETRIC_MINISWHITE;
    RawPage thirty_two_bits;
    thirty_two_bits.width = thirty_two_bits.height = 2;
    thirty_two_bits.bits = 32;
    thirty_two_bits.bytes.assign(16, 1);
    RawPage two_samples = page16(2, 2, {1, 2, 3, 4, 5, 6, 7, 8});
    two_samples.samples = 2;
    const std::vector<Case> cases{
        {"min_is_white", min_is_white, "image is not greyscale in TiffGreyScaleFile::read"},
        {"thirty_two_bits", thirty_two_bits, "unreadable sample type 32-bit unsigned integer"},
        {"two_samples", two_samples, "samples_per_pixel is not 1"},
    };
    for (const Case& c : cases) {
        const std::string name = dir.file(std::string(c.what) + ".tif");
        ipc_test::write_raw_tiff(name, {c.page});
        EXPECT_THROW_CONTAINING(read_short_image_tiff(name), c.message, "file = " + name);
    }
}

TEST(TiffReaderTest, DamagedFilesEndWithAMessageNamingTheFile) {
    TempDir dir;
    // A whole file, then the same bytes cut short inside the pixel data.
    for (std::uint16_t compression : {COMPRESSION_NONE, COMPRESSION_LZW, COMPRESSION_ADOBE_DEFLATE}) {
        const std::string whole = dir.file("whole.tif");
        std::vector<std::uint16_t> values(64 * 64);
        for (std::size_t i = 0; i < values.size(); ++i) values[i] = static_cast<std::uint16_t>(i * 2654435761u >> 7);
        RawPage page = page16(64, 64, values);
        page.compression = compression;
        ipc_test::write_raw_tiff(whole, {page});
        const auto size = std::filesystem::file_size(whole);

        const std::string cut = dir.file("cut" + std::to_string(compression) + ".tif");
        std::filesystem::copy_file(whole, cut);
        // The strip lies right after the 8-byte header; the directory at the end.
        std::filesystem::resize_file(cut, size / 2);
        EXPECT_THROW_CONTAINING(read_short_image_tiff(cut), cut);
        std::filesystem::remove(whole);
    }

    // Deflate data damaged inside the strip (right after the 8-byte header):
    // it no longer inflates to the strip's rows.
    const std::string flipped = dir.file("flipped.tif");
    RawPage noisy = page16(64, 64, ramp16(64 * 64, 7, 40503));
    noisy.compression = COMPRESSION_ADOBE_DEFLATE;
    ipc_test::write_raw_tiff(flipped, {noisy});
    {
        std::fstream file(flipped, std::ios::in | std::ios::out | std::ios::binary);
        for (std::streamoff at = 20; at < 60; ++at) {
            file.seekg(at);
            const char byte = static_cast<char>(file.get() ^ 0x5a);
            file.seekp(at);
            file.put(byte);
        }
    }
    EXPECT_THROW_CONTAINING(read_short_image_tiff(flipped), "file = " + flipped);

    // The directory is intact but the pixels stop half way.
    const std::string short_data = dir.file("short_data.tif");
    ipc_test::write_truncated_tiff(short_data, 64, 64, 4000);
    EXPECT_THROW_CONTAINING(read_short_image_tiff(short_data), "file = " + short_data);
    ipc_test::write_truncated_tiff(short_data, 64, 64, 1 << 20);
    EXPECT_EQ(read_short_image_tiff(short_data).size(), 64u * 64u);  // the whole file reads

    const std::string garbage = dir.file("garbage.tif");
    std::ofstream(garbage) << "II*\0 this is not really a TIFF file at all";
    EXPECT_THROW_CONTAINING(read_short_image_tiff(garbage), "Unable to open file: " + garbage);
    EXPECT_THROW_CONTAINING(read_short_image_3d_tiff(garbage), "unable to open: " + garbage);
}

Image<unsigned short> filled(int width, int height, unsigned short value) {
    return Image<unsigned short>(width, height, value);
}

RawPage numbered_page(std::uint16_t value, bool numbered, std::uint16_t page, std::uint16_t count) {
    RawPage raw = page16(3, 2, std::vector<std::uint16_t>(6, value));
    raw.page_number = numbered;
    raw.page = page;
    raw.page_count = count;
    return raw;
}

TEST(TiffReader3dTest, StackWithoutPageNumbersTakesEveryPageInOrder) {
    TempDir dir;
    const std::string name = dir.file("stack.tif");
    ipc_test::write_raw_tiff(name, {numbered_page(10, false, 0, 0), numbered_page(11, false, 0, 0),
                                    numbered_page(12, false, 0, 0)});
    const Image3d<unsigned short> stack = read_short_image_3d_tiff(name);
    ASSERT_EQ(stack.depth(), 3);
    for (int z = 0; z < 3; ++z) EXPECT_TRUE(stack.slice(z) == filled(3, 2, 10 + z)) << z;
}

TEST(TiffReader3dTest, PageNumbersPlaceThePages) {
    TempDir dir;
    const std::string reversed = dir.file("reversed.tif");
    ipc_test::write_raw_tiff(reversed, {numbered_page(12, true, 2, 3), numbered_page(11, true, 1, 3),
                                        numbered_page(10, true, 0, 3)});
    const Image3d<unsigned short> stack = read_short_image_3d_tiff(reversed);
    ASSERT_EQ(stack.depth(), 3);
    for (int z = 0; z < 3; ++z) EXPECT_TRUE(stack.slice(z) == filled(3, 2, 10 + z)) << z;

    // A page count of 0 means "unknown": the pages are counted.
    const std::string uncounted = dir.file("uncounted.tif");
    ipc_test::write_raw_tiff(uncounted, {numbered_page(10, true, 0, 0), numbered_page(11, true, 1, 0)});
    EXPECT_EQ(read_short_image_3d_tiff(uncounted).depth(), 2);
}

TEST(TiffReader3dTest, RejectsInconsistentStacks) {
    TempDir dir;
    struct Case {
        const char* what;
        std::vector<RawPage> pages;
        std::string message;
    };
    RawPage wider = page16(4, 2, std::vector<std::uint16_t>(8, 1));
    const std::vector<Case> cases{
        {"outside", {numbered_page(1, true, 0, 2), numbered_page(2, true, 5, 2)}, "page number outside the stack, page = 5"},
        {"missing", {numbered_page(1, true, 0, 2), numbered_page(2, true, 0, 2)}, "page 1 is missing"},
        {"too_few", {numbered_page(1, true, 0, 3), numbered_page(2, true, 1, 3)}, "page count 3 exceeds the 2 pages"},
        {"sizes", {numbered_page(1, false, 0, 0), wider}, "page 1 differs in size"},
    };
    for (const Case& c : cases) {
        const std::string name = dir.file(std::string(c.what) + ".tif");
        ipc_test::write_raw_tiff(name, c.pages);
        EXPECT_THROW_CONTAINING(read_short_image_3d_tiff(name), c.message, "file = " + name);
    }
}

TEST(TiffReader3dTest, ComponentEmitsOneStackPerFile) {
    TempDir dir;
    ipc_test::write_raw_tiff(dir.file("t0.tif"), {numbered_page(1, false, 0, 0), numbered_page(2, false, 0, 0)});
    ipc_test::write_raw_tiff(dir.file("t1.tif"), {numbered_page(3, false, 0, 0), numbered_page(4, false, 0, 0)});
    ShortImage3dTiffReader reader(element(reader_config("short_image_3d_tiff_reader", dir.path(), 1, 2)));
    auto collector = std::make_shared<ipc_test::FrameCollector>();
    reader.insert_child(collector);
    while (reader.push()) {
    }
    ASSERT_EQ(collector->frames.size(), 3u);
    auto second = frame::cast<frame::FrameTemplate<Image3d<unsigned short>>>(collector->frames[1]);
    EXPECT_EQ(second->time, 3);
    EXPECT_EQ(second->payload->depth(), 2);
    EXPECT_EQ((*second->payload)(0, 0, 1), 4);
    EXPECT_EQ(collector->frames[2], nullptr);
}

}  // namespace
