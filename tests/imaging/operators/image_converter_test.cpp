#include <gtest/gtest.h>

#include <cmath>

#include "imaging/operators/color_maps.h"
#include "imaging/operators/image_converter.h"
#include "imaging/segment_image.h"
#include "operator_test_support.h"
#include "support/expect_message.h"

namespace {

using namespace ipc;
using ipc_test::FrameCollector;
using ipc_test::image_from_rows;
using ipc_test::rows_of;
using operator_test::element;

template <class Out, class Map, class In>
std::vector<std::vector<typename Out::value_type>> convert(const In& in, const std::string& xml = "<c><color_map/></c>") {
    ImageConverter<In, Out, Map> converter(element(xml));
    return rows_of(*converter.convert(in));
}

TEST(ColorMapTest, SixteenToEightBitKeepsOneSignificantByte) {
    const UnsignedShortToUnsignedCharColorMap map(element("<color_map/>"));
    EXPECT_EQ(map(0x00ff), 0xff);
    EXPECT_EQ(map(0x0100), 1);
    EXPECT_EQ(map(0xff00), 0xff);
    EXPECT_MESSAGE(map(0x0101), "UnsignedShortToUnsignedCharColorMap problem 257");
}

TEST(ColorMapTest, IdentityClampsInsteadOfWrapping) {
    EXPECT_EQ((convert<Image<unsigned char>, IdentityColorMap<unsigned short, unsigned char>>(
                  image_from_rows<unsigned short>({{0, 255, 256, 65535}}))),
              (std::vector<std::vector<unsigned char>>{{0, 255, 255, 255}}));
    EXPECT_EQ((convert<Image<unsigned short>, IdentityColorMap<float, unsigned short>>(
                  image_from_rows<float>({{-3.7f, 2.9f, 70000.5f, std::nanf("")}}))),
              (std::vector<std::vector<unsigned short>>{{0, 2, 65535, 0}}));

    SegmentImage3d labels(2, 1, 2);
    labels(0, 0, 0) = -1, labels(1, 0, 0) = 7, labels(0, 0, 1) = 65536, labels(1, 0, 1) = 65535;
    ImageConverter<SegmentImage3d, Image3d<unsigned short>, IdentityColorMap<int, unsigned short>> to_short(
        element("<c><color_map/></c>"));
    const auto out = to_short.convert(labels);
    ASSERT_EQ(out->depth(), 2);
    EXPECT_EQ(rows_of(out->slice(0)), (std::vector<std::vector<unsigned short>>{{0, 7}}));
    EXPECT_EQ(rows_of(out->slice(1)), (std::vector<std::vector<unsigned short>>{{65535, 65535}}));
}

TEST(ColorMapTest, ShiftsMoveOneByteAndDropTheOther) {
    const auto in = image_from_rows<unsigned short>({{0x0012, 0x00ff, 0x0100, 0xabcd}});
    EXPECT_EQ((convert<Image<unsigned short>, LeftShiftColorMap>(in)),
              (std::vector<std::vector<unsigned short>>{{0x1200, 0xff00, 0x0000, 0xcd00}}));
    // Left shift then the 16-to-8-bit map keeps the low byte of any value.
    ImageConverter<Image<unsigned short>, Image<unsigned short>, LeftShiftColorMap> shift(element("<c><color_map/></c>"));
    ImageConverter<Image<unsigned short>, Image<unsigned char>, UnsignedShortToUnsignedCharColorMap> to_char(
        element("<c><color_map/></c>"));
    EXPECT_EQ(rows_of(*to_char.convert(*shift.convert(in))),
              (std::vector<std::vector<unsigned char>>{{0x12, 0xff, 0x00, 0xcd}}));
    EXPECT_EQ((convert<Image<unsigned short>, RightShiftColorMap>(in)),
              (std::vector<std::vector<unsigned short>>{{0x00, 0x00, 0x01, 0xab}}));
}

TEST(ColorMapTest, ParametersAreReadInsideColorMapOrBesideIt) {
    const auto in = image_from_rows<unsigned short>({{9, 10, 11, 65535}});
    using Threshold = TypeToBoolColorMap<unsigned short>;
    const std::vector<std::vector<bool>> above_ten{{false, false, true, true}};
    EXPECT_EQ((convert<Image<bool>, Threshold>(in, "<c><color_map><cut>10</cut></color_map></c>")), above_ten);
    EXPECT_EQ((convert<Image<bool>, Threshold>(in, "<c><color_map/><cut>10</cut></c>")), above_ten);
    EXPECT_EQ((convert<Image<bool>, Threshold>(in, "<c><color_map><cut>10</cut></color_map><cut>10</cut></c>")),
              above_ten);

    const auto mask = image_from_rows<bool>({{true, false}});
    using Paint = BoolToTypeColorMap<unsigned char>;
    EXPECT_EQ((convert<Image<unsigned char>, Paint>(mask, "<c><color_map><true>255</true></color_map><false>3</false></c>")),
              (std::vector<std::vector<unsigned char>>{{255, 3}}));
}

TEST(ColorMapTest, BadMapParametersAreRefusedWhenBuilt) {
    using Threshold = ImageConverter<Image<unsigned short>, Image<bool>, TypeToBoolColorMap<unsigned short>>;
    using Paint = ImageConverter<Image<bool>, Image<unsigned char>, BoolToTypeColorMap<unsigned char>>;
    EXPECT_MESSAGE(Threshold(element("<c><color_map><cut>70000</cut></color_map></c>")),
                   "invalid cut = 70000 in color_map (expected an integer from 0 to 65535) (in c, element color_map/cut)");
    EXPECT_MESSAGE(Threshold(element("<c><color_map><cut>-1</cut></color_map></c>")),
                   "invalid cut = -1 in color_map (expected an integer from 0 to 65535) (in c, element color_map/cut)");
    EXPECT_MESSAGE(Threshold(element("<c><color_map><cut>4</cut></color_map><cut>5</cut></c>")),
                   "conflicting cut in c: 4 inside color_map, 5 beside it");
    EXPECT_MESSAGE(Threshold(element("<c><color_map/></c>")),
                   "Tag::tag failed, key not found: key = cut (c: color_map/cut is missing: expected an integer)");
    EXPECT_MESSAGE(Paint(element("<c><color_map><true>256</true><false>0</false></color_map></c>")),
                   "invalid true = 256 in color_map (expected an integer from 0 to 255) (in c, element color_map/true)");
    EXPECT_THROW_CONTAINING(Threshold(element("<c><cut>5</cut></c>")), "key not found: key = color_map");
}

TEST(ImageConverterTest, ConvertsFramesKeepingTheTimeAndPassesTheEndOfStream) {
    using Converter = ImageConverter<Image<unsigned short>, Image<unsigned char>, UnsignedShortToUnsignedCharColorMap>;
    EXPECT_EQ(Converter::key(), "short_image_to_char_image_unsigned_short_to_unsigned_char_color_map_image_converter");
    Converter converter(element("<c><color_map/></c>"));
    auto collector = std::make_shared<FrameCollector>();
    converter.insert_child(collector);
    auto in = std::make_shared<Image<unsigned short>>(image_from_rows<unsigned short>({{0x0200, 7}}));
    converter.push_frame(std::make_shared<frame::FrameTemplate<Image<unsigned short>>>(2.5, in));
    converter.push_frame(nullptr);
    ASSERT_EQ(collector->frames.size(), 2u);
    auto out = frame::cast<frame::FrameTemplate<Image<unsigned char>>>(collector->frames[0]);
    EXPECT_EQ(out->time, 2.5);
    EXPECT_EQ(rows_of(*out->payload), (std::vector<std::vector<unsigned char>>{{2, 7}}));
    EXPECT_EQ(collector->frames[1], nullptr);
    EXPECT_MESSAGE_STARTS(converter.push_frame(std::make_shared<frame::FrameTemplate<Image<float>>>(0, nullptr)),
                   "Frame::cast()");
}

}  // namespace
