#include <gtest/gtest.h>

#include <filesystem>

#include "imaging/segment_image.h"
#include "imaging/tiff_file.h"
#include "imaging/tiff_page_writer.h"
#include "imaging/tiff_readers.h"
#include "imaging/tiff_writers.h"
#include "imaging_test_support.h"

namespace {

using namespace ipc;
using ipc_test::element;
using ipc_test::TempDir;

template <class Writer>
std::shared_ptr<Writer> make_writer(const std::string& directory, int digits) {
    return std::make_shared<Writer>(element("<w><directory>" + directory + "</directory><width>" +
                                            std::to_string(digits) + "</width></w>"));
}

template <class I>
cmpnt::FramePtr frame_of(const I& image, double time = 0) {
    return std::make_shared<frame::FrameTemplate<I>>(time, std::make_shared<I>(image));
}

// Values that use every byte of the sample, so byte-order or width mistakes
// show up.
template <class T>
Image<T> pattern(int width, int height) {
    return ipc_test::make_image<T>(width, height, [](int x, int y) { return x * 7919 + y * 104729 - 3000; });
}

TEST(TiffWriterTest, ShortImageReadsBackIdenticallyAcrossSeveralStrips) {
    TempDir dir;
    const std::string out = dir.fresh("out");
    auto writer = make_writer<GreyscaleTiffWriter<Image<unsigned short>>>(out, 4);
    const auto image = pattern<unsigned short>(300, 50);  // 600-byte rows: several 8 KB strips
    writer->push_frame(frame_of(image));

    const std::string name = out + "/0000.tif";
    EXPECT_LT(ipc_test::first_page_tag(name, TIFFTAG_ROWSPERSTRIP), 50);
    EXPECT_EQ(ipc_test::first_page_tag(name, TIFFTAG_COMPRESSION), COMPRESSION_LZW);
    EXPECT_EQ(ipc_test::first_page_tag(name, TIFFTAG_BITSPERSAMPLE), 16);
    EXPECT_EQ(ipc_test::first_page_tag(name, TIFFTAG_PHOTOMETRIC), PHOTOMETRIC_MINISBLACK);
    EXPECT_EQ(ipc_test::first_page_tag(name, TIFFTAG_ORIENTATION), ORIENTATION_TOPLEFT);
    EXPECT_EQ(ipc_test::first_page_tag(name, TIFFTAG_SAMPLESPERPIXEL), 1);
    EXPECT_EQ(ipc_test::first_page_tag(name, TIFFTAG_FILLORDER), FILLORDER_MSB2LSB);
    EXPECT_TRUE(read_short_image_tiff(name) == image);
}

TEST(TiffWriterTest, CharImageIsReadBackWidenedUnchanged) {
    TempDir dir;
    const std::string out = dir.fresh("out");
    auto writer = make_writer<GreyscaleTiffWriter<Image<unsigned char>>>(out, 1);
    const auto image = pattern<unsigned char>(40, 9);
    writer->push_frame(frame_of(image));

    const std::string name = out + "/0.tif";
    EXPECT_EQ(ipc_test::first_page_tag(name, TIFFTAG_BITSPERSAMPLE), 8);
    const Image<unsigned short> read = read_short_image_tiff(name);
    ASSERT_EQ(read.width(), 40);
    ASSERT_EQ(read.height(), 9);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 40; ++x) EXPECT_EQ(read(x, y), image(x, y));
}

TEST(TiffWriterTest, ThirtyTwoBitWritersKeepEverySignedValue) {
    TempDir dir;
    const auto values = pattern<int>(33, 7);
    SegmentImage labels(33, 7);
    std::copy(values.begin(), values.end(), labels.begin());

    make_writer<GreyscaleTiffWriter<Image<int>>>(dir.fresh("int"), 2)->push_frame(frame_of(values));
    make_writer<GreyscaleTiffWriter<SegmentImage>>(dir.fresh("seg"), 2)->push_frame(frame_of(labels));

    for (const std::string& name : {dir.file("int/00.tif"), dir.file("seg/00.tif")}) {
        const auto pages = ipc_test::read_raw_int32_pages(name);
        ASSERT_EQ(pages.size(), 1u) << name;
        EXPECT_TRUE(std::equal(values.begin(), values.end(), pages[0].begin())) << name;
    }
}

TEST(TiffWriterTest, ShortStackReadsBackIdenticallyWithoutPageNumbers) {
    TempDir dir;
    const std::string out = dir.fresh("stack");
    Image3d<unsigned short> stack(21, 13, 4);
    for (int z = 0; z < 4; ++z) stack.slice(z) = pattern<unsigned short>(21, 13), stack.slice(z)(0, 0) = z;
    make_writer<Image3dTiffWriter<Image3d<unsigned short>>>(out, 3)->push_frame(frame_of(stack));

    const std::string name = out + "/000.tif";
    EXPECT_EQ(ipc_test::first_page_tag(name, TIFFTAG_PAGENUMBER), -1);
    EXPECT_TRUE(read_short_image_3d_tiff(name) == stack);
}

TEST(TiffWriterTest, LabelStackWritesOnePagePerSlice) {
    TempDir dir;
    const std::string out = dir.fresh("labels");
    SegmentImage3d labels(5, 4, 3);
    for (int z = 0; z < 3; ++z)
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 5; ++x) labels(x, y, z) = 1000000 * z + 10 * y + x;
    make_writer<Image3dTiffWriter<SegmentImage3d>>(out, 0)->push_frame(frame_of(labels));

    const auto pages = ipc_test::read_raw_int32_pages(out + "/0.tif");
    ASSERT_EQ(pages.size(), 3u);
    for (int z = 0; z < 3; ++z)
        EXPECT_TRUE(std::equal(labels.slice(z).begin(), labels.slice(z).end(), pages[z].begin())) << z;
}

TEST(TiffWriterTest, FilesAreNumberedInFrameOrderAndNullFramesPassWithoutAFile) {
    TempDir dir;
    const std::string out = dir.fresh("numbered");
    auto writer = make_writer<GreyscaleTiffWriter<Image<unsigned short>>>(out, 4);
    auto collector = std::make_shared<ipc_test::FrameCollector>();
    writer->insert_child(collector);

    for (int k = 0; k < 3; ++k) writer->push_frame(frame_of(Image<unsigned short>(2, 2, k), k));
    writer->push_frame(nullptr);

    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(out)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"0000.tif", "0001.tif", "0002.tif"}));
    EXPECT_EQ(read_short_image_tiff(out + "/0002.tif")(1, 1), 2);

    ASSERT_EQ(collector->frames.size(), 4u);
    EXPECT_EQ(collector->frames[2]->time, 2);
    EXPECT_EQ(collector->frames[3], nullptr);
}

TEST(TiffWriterTest, NumbersWiderThanTheWidthAreWrittenInFull) {
    TempDir dir;
    const std::string out = dir.fresh("wide");
    auto writer = make_writer<GreyscaleTiffWriter<Image<unsigned char>>>(out, 1);
    for (int k = 0; k < 11; ++k) writer->push_frame(frame_of(Image<unsigned char>(1, 1, 0)));
    EXPECT_TRUE(std::filesystem::exists(out + "/9.tif"));
    EXPECT_TRUE(std::filesystem::exists(out + "/10.tif"));
}

TEST(TiffWriterTest, RejectsBadConfigurationAndFrames) {
    TempDir dir;
    EXPECT_MESSAGE(make_writer<GreyscaleTiffWriter<Image<unsigned short>>>(dir.fresh("a"), -1),
                   "width must not be negative, width = -1 (in w, element width)");
    auto writer = make_writer<GreyscaleTiffWriter<Image<unsigned short>>>(dir.fresh("b"), 1);
    EXPECT_MESSAGE_STARTS(writer->push_frame(frame_of(Image<unsigned char>(1, 1))), "Frame::cast()");
    EXPECT_THROW_CONTAINING(writer->push_frame(frame_of(Image<unsigned short>())), "cannot write an empty image",
                            dir.fresh("b"));
}

TEST(TiffWriterTest, UnwritableFileIsReportedWithItsName) {
    TempDir dir;
    const std::string out = dir.fresh("gone");
    auto writer = make_writer<GreyscaleTiffWriter<Image<unsigned short>>>(out, 1);
    std::filesystem::remove_all(out);
    EXPECT_THROW_CONTAINING(writer->push_frame(frame_of(Image<unsigned short>(1, 1))),
                            "Unable to open file: " + out + "/0.tif");
}

}  // namespace

namespace {

// PackBits strips are coded by the writer itself: runs of exactly 1, 2, 3,
// 127 to 130 and 256 equal bytes, zero runs across the eight-byte steps,
// literals longer than one header and rows that end inside a run, all read
// back through libtiff's decoder.
TEST(TiffWriterTest, PackBitsMasksReadBackIdentically) {
    TempDir dir;
    const int width = 601;  // odd: rows end at every byte offset of the eight-byte steps
    Image<unsigned short> image(width, 40, 0);
    std::uint32_t state = 12345;
    for (int y = 0; y < image.height(); ++y) {
        int x = (y * 13) % 9;
        for (const int length : {1, 2, 3, 64, 65, 128, 129, 7}) {
            const auto value = static_cast<unsigned short>(y % 5 == 0 ? 0x0101 * (y % 7) : 300 + y);
            for (int k = 0; k < length && x < width; ++k) image(x++, y) = value;
            x += (y + length) % 11;  // a zero gap
        }
        if (y % 3 == 0)  // literals: a noisy stretch to the row's end
            for (; x < width; ++x)
                image(x, y) = static_cast<unsigned short>((state = state * 1664525 + 1013904223) >> 16);
    }
    const std::string name = dir.fresh("masks") + ".tif";
    {
        TiffFile file(name, "w");
        write_greyscale_page(file, image, TiffCompression::packbits);
        file.close();
    }
    EXPECT_EQ(ipc_test::first_page_tag(name, TIFFTAG_COMPRESSION), COMPRESSION_PACKBITS);
    EXPECT_TRUE(read_short_image_tiff(name) == image);
}

}  // namespace
