// TIFF input beyond unsigned 16-bit, tiled files, declared sizes checked
// before allocation, and sequences whose frames change size.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>

#include "imaging/tiff_readers.h"
#include "imaging_test_support.h"

namespace {

using namespace ipc;
using ipc_test::element;
using ipc_test::RawPage;
using ipc_test::TempDir;

template <class T>
RawPage typed_page(std::uint32_t width, std::uint32_t height, const std::vector<T>& values, std::uint16_t format) {
    RawPage page;
    page.width = width;
    page.height = height;
    page.bits = 8 * sizeof(T);
    page.sample_format = format;
    page.bytes.resize(values.size() * sizeof(T));
    std::memcpy(page.bytes.data(), values.data(), page.bytes.size());
    return page;
}

std::vector<unsigned short> pixels(const Image<unsigned short>& image) { return {image.begin(), image.end()}; }

TEST(TiffSampleTypes, EveryReadableTypeBecomesSixteenBitWithTheDocumentedScaling) {
    TempDir dir;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        const char* what;
        RawPage page;
        std::vector<unsigned short> expected;
    };
    const std::vector<Case> cases{
        {"unsigned 8-bit as is", typed_page<std::uint8_t>(3, 1, {0, 7, 255}, SAMPLEFORMAT_UINT), {0, 7, 255}},
        {"signed 8-bit from 0", typed_page<std::int8_t>(3, 1, {-128, 0, 127}, SAMPLEFORMAT_INT), {0, 128, 255}},
        {"signed 16-bit from 0", typed_page<std::int16_t>(3, 1, {-32768, 0, 32767}, SAMPLEFORMAT_INT),
         {0, 32768, 65535}},
        {"whole floats kept", typed_page<float>(4, 1, {0, 3, 65535, nan}, SAMPLEFORMAT_IEEEFP), {0, 3, 65535, 0}},
        {"fractions stretched", typed_page<float>(3, 1, {-1, 0, 1}, SAMPLEFORMAT_IEEEFP), {0, 32768, 65535}},
        {"large values stretched", typed_page<float>(2, 1, {0, 1e6f}, SAMPLEFORMAT_IEEEFP), {0, 65535}},
        {"infinities at the ends", typed_page<float>(4, 1, {-inf, 0.5f, 1.5f, inf}, SAMPLEFORMAT_IEEEFP),
         {0, 0, 65535, 65535}},
        {"constant fraction", typed_page<float>(2, 1, {0.25f, 0.25f}, SAMPLEFORMAT_IEEEFP), {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string name = dir.file("page.tif");
        ipc_test::write_raw_tiff(name, {c.page});
        EXPECT_EQ(pixels(read_short_image_tiff(name)), c.expected);
    }
}

TEST(TiffSampleTypes, TheFloatPagesOfAStackShareOneScaling) {
    TempDir dir;
    const std::string name = dir.file("stack.tif");
    ipc_test::write_raw_tiff(name, {typed_page<float>(2, 1, {0, 1}, SAMPLEFORMAT_IEEEFP),
                                    typed_page<float>(2, 1, {2, 4.5f}, SAMPLEFORMAT_IEEEFP)});
    const Image3d<unsigned short> stack = read_short_image_3d_tiff(name);
    ASSERT_EQ(stack.depth(), 2);
    // p' = round((p - 0) * 65535 / 4.5)
    EXPECT_EQ(pixels(stack.slice(0)), (std::vector<unsigned short>{0, 14563}));
    EXPECT_EQ(pixels(stack.slice(1)), (std::vector<unsigned short>{29127, 65535}));
}

TEST(TiffLayout, TiledFilesReadLikeStrippedOnes) {
    TempDir dir;
    std::vector<std::uint16_t> values(37 * 21);
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = static_cast<std::uint16_t>(i * 977);
    for (std::uint16_t compression : {COMPRESSION_NONE, COMPRESSION_LZW}) {
        RawPage page = ipc_test::page16(37, 21, values);
        page.tile_width = page.tile_height = 16;  // partial tiles on the right and at the bottom
        page.compression = compression;
        const std::string name = dir.file("tiled" + std::to_string(compression) + ".tif");
        ipc_test::write_raw_tiff(name, {page});
        const Image<unsigned short> image = read_short_image_tiff(name);
        ASSERT_EQ(image.width(), 37);
        ASSERT_EQ(image.height(), 21);
        EXPECT_EQ(pixels(image), std::vector<unsigned short>(values.begin(), values.end()));
    }
}

// A little-endian TIFF whose one directory declares width x height 16-bit
// pixels in one strip of strip_bytes bytes, followed by data_bytes bytes.
void write_declared_tiff(const std::string& name, std::uint32_t width, std::uint32_t height,
                         std::uint16_t compression, std::uint32_t strip_bytes, std::uint32_t data_bytes) {
    struct Entry {
        std::uint16_t tag, type;
        std::uint32_t value;
    };
    const std::vector<Entry> entries{{256, 4, width}, {257, 4, height}, {258, 3, 16}, {259, 3, compression},
                                     {262, 3, 1},     {273, 4, 0},      {277, 3, 1},  {278, 4, height},
                                     {279, 4, strip_bytes}};
    const std::uint32_t data_offset = 8 + 2 + 12 * static_cast<std::uint32_t>(entries.size()) + 4;
    std::string bytes("II*\0", 4);
    auto put = [&bytes](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) bytes.push_back(static_cast<char>(value >> (8 * i)));
    };
    put(8, 4);
    put(static_cast<std::uint32_t>(entries.size()), 2);
    for (const Entry& e : entries) {
        put(e.tag, 2);
        put(e.type, 2);
        put(1, 4);
        put(e.tag == 273 ? data_offset : e.value, 4);
    }
    put(0, 4);
    bytes.append(data_bytes, '\x55');
    std::ofstream(name, std::ios::binary) << bytes;
}

TEST(TiffDeclaredSize, SizesTheStoredDataCannotHoldAreRefusedBeforeAllocating) {
    TempDir dir;
    struct Case {
        const char* what;
        std::uint32_t width, height;
        std::uint16_t compression;
        std::uint32_t strip_bytes, data_bytes;
        std::vector<std::string> message;
    };
    const std::vector<Case> cases{
        // A 768-byte file declaring a width of 2147483647.
        {"absurd width", 2147483647u, 1, COMPRESSION_NONE, 4294967294u, 650, {"image too large", "width = 2147483647"}},
        {"above the pixel cap", 20000, 20000, COMPRESSION_LZW, 400, 400, {"image too large", "height = 20000"}},
        {"uncompressed, short data", 4096, 4096, COMPRESSION_NONE, 33554432u, 700,
         {"declared size exceeds the stored data", "width = 4096, height = 4096", "needs 33554432 bytes",
          "more than the whole file of 822 bytes can hold"}},
        {"compressed beyond any ratio", 4096, 4096, COMPRESSION_ADOBE_DEFLATE, 1000, 1000,
         {"declared size exceeds the stored data", "the whole file of 1122 bytes", "compression 8"}},
        {"strip too short for its scheme", 256, 256, COMPRESSION_LZW, 10, 5000,
         {"declared size exceeds the stored data", "needs 131072 bytes", "the file stores 10 bytes in 1 strips"}},
        {"no pixels", 0, 5, COMPRESSION_NONE, 10, 10, {}},
        // Found by fuzzing: an unknown scheme passed the size check and
        // allocated the declared pixels before the first row failed.
        {"unknown compression", 12, 786432, 129, 600, 600, {"compression scheme 129 cannot be decoded"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string name = dir.file("declared.tif");
        write_declared_tiff(name, c.width, c.height, c.compression, c.strip_bytes, c.data_bytes);
        std::vector<std::string> parts = c.message;
        parts.push_back(name);
        try {
            read_short_image_tiff(name);
            ADD_FAILURE() << "accepted";
        } catch (const std::exception& error) {
            for (const std::string& part : parts)
                EXPECT_NE(std::string(error.what()).find(part), std::string::npos) << error.what();
        }
        EXPECT_THROW(read_short_image_3d_tiff(name), util::Exception);
    }
    // The same layout with all its data is read.
    const std::string whole = dir.file("whole.tif");
    write_declared_tiff(whole, 64, 32, COMPRESSION_NONE, 64 * 32 * 2, 64 * 32 * 2);
    EXPECT_EQ(read_short_image_tiff(whole).size(), 64u * 32u);
}

std::string reader(const std::string& key, const std::string& directory) {
    return "<" + key + "><directory>" + directory + "</directory><start_time>0</start_time><dt>1</dt></" + key + ">";
}

// Pushes every frame of the reader; returns the error that ended it.
std::string run_reader(TiffReaderBase& source, std::size_t& frames) {
    auto collector = std::make_shared<ipc_test::FrameCollector>();
    source.insert_child(collector);
    std::string error;
    try {
        while (source.push()) {
        }
    } catch (const std::exception& e) {
        error = e.what();
    }
    frames = collector->frames.size();
    return error;
}

TEST(TiffSequence, AFrameWhoseSizeOrDepthDiffersFromTheFirstStopsTheSequenceNamingItsFile) {
    TempDir flat;
    for (int k = 0; k < 4; ++k)
        ipc_test::write_raw_tiff(flat.file("m" + std::to_string(k) + ".tif"),
                                 {ipc_test::page16(k == 2 ? 3 : 4, 4, std::vector<std::uint16_t>(k == 2 ? 12 : 16, 1))});
    ShortImageTiffReader reader2d(element(reader("short_image_tiff_reader", flat.path())));
    std::size_t frames = 0;
    EXPECT_EQ(run_reader(reader2d, frames), "frame size differs from the first frame: " + flat.file("m2.tif") +
                                                 " is 3 x 4, the first frame " + flat.file("m0.tif") + " is 4 x 4");
    EXPECT_EQ(frames, 2u);  // the odd frame never reaches the pipeline

    TempDir stacks;
    const RawPage slice = ipc_test::page16(2, 2, {1, 2, 3, 4});
    ipc_test::write_raw_tiff(stacks.file("s0.tif"), {slice, slice});
    ipc_test::write_raw_tiff(stacks.file("s1.tif"), {slice});
    ShortImage3dTiffReader reader3d(element(reader("short_image_3d_tiff_reader", stacks.path())));
    EXPECT_EQ(run_reader(reader3d, frames), "frame size differs from the first frame: " + stacks.file("s1.tif") +
                                                 " is 2 x 2 x 1, the first frame " + stacks.file("s0.tif") +
                                                 " is 2 x 2 x 2");
    EXPECT_EQ(frames, 1u);
}

}  // namespace
