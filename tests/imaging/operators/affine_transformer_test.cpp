#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "imaging/operators/affine_transformer.h"
#include "imaging/operators/full_intensity_affine_transformer.h"
#include "operator_test_support.h"
#include "support/expect_message.h"

namespace {

using namespace ipc;
using ipc_test::image_from_rows;
using ipc_test::rows_of;
using operator_test::element;

template <class In, class Out>
Out stretch(const In& in, double minimum, double maximum) {
    FullIntensityAffineTransformer<In, Out> transformer(
        element("<t><minimum>" + std::to_string(minimum) + "</minimum><maximum>" + std::to_string(maximum) +
                "</maximum></t>"));
    return *transformer.apply(std::make_shared<In>(in));
}

TEST(FullIntensityAffineTransformerTest, ConstantImageBecomesTheTruncatedMidpoint) {
    const auto out = stretch<Image<unsigned short>, Image<unsigned char>>(Image<unsigned short>(4, 3, 900), 0, 255);
    EXPECT_EQ(out, (Image<unsigned char>(4, 3, 127)));
    const auto empty = stretch<Image<int>, Image<unsigned char>>(Image<int>(), 0, 255);
    EXPECT_TRUE(empty.empty());
}

TEST(FullIntensityAffineTransformerTest, DarkestAndBrightestReachTheConfiguredEnds) {
    const auto in = image_from_rows<unsigned short>({{100, 150, 200}, {300, 100, 250}});
    EXPECT_EQ(rows_of(stretch<Image<unsigned short>, Image<unsigned char>>(in, 0, 100)),
              (std::vector<std::vector<unsigned char>>{{0, 25, 50}, {100, 0, 75}}));
    // An inverted range maps the darkest pixel to the top.
    EXPECT_EQ(rows_of(stretch<Image<unsigned short>, Image<unsigned short>>(in, 1000, 0)),
              (std::vector<std::vector<unsigned short>>{{1000, 750, 500}, {0, 1000, 250}}));
    const auto signed_in = image_from_rows<int>({{-10, 0, 10}});
    EXPECT_EQ(rows_of(stretch<Image<int>, Image<unsigned char>>(signed_in, 0, 255)),
              (std::vector<std::vector<unsigned char>>{{0, 127, 255}}));
}

TEST(FullIntensityAffineTransformerTest, ResultsOutsideTheOutputTypeAreClamped) {
    const auto in = image_from_rows<float>({{0.f, 0.5f, 1.f}});
    EXPECT_EQ(rows_of(stretch<Image<float>, Image<unsigned char>>(in, -100, 400)),
              (std::vector<std::vector<unsigned char>>{{0, 150, 255}}));
    EXPECT_EQ(rows_of(stretch<Image<float>, Image<unsigned short>>(in, 70000, -5)),
              (std::vector<std::vector<unsigned short>>{{65535, 34997, 0}}));
}

TEST(FullIntensityAffineTransformerTest, NonFiniteFloatPixelsDoNotSpoilTheRange) {
    const float inf = std::numeric_limits<float>::infinity();
    const auto in = image_from_rows<float>({{2.f, inf, 4.f, -inf, std::nanf("")}});
    EXPECT_EQ(rows_of(stretch<Image<float>, Image<unsigned char>>(in, 0, 100)),
              (std::vector<std::vector<unsigned char>>{{0, 255, 100, 0, 0}}));
}

TEST(AffineTransformerTest, MapsThroughTheFixedLineAndClamps) {
    AffineTransformer<Image<unsigned short>, Image<unsigned char>> transformer(
        element("<t><x0>1000</x0><y0>0</y0><x1>2000</x1><y1>100</y1></t>"));
    const auto in = image_from_rows<unsigned short>({{0, 1000, 1509, 2000, 4600}});
    EXPECT_EQ(rows_of(*transformer.apply(std::make_shared<Image<unsigned short>>(in))),
              (std::vector<std::vector<unsigned char>>{{0, 0, 50, 100, 255}}));
}

TEST(AffineTransformerTest, ConstructionRefusesDegenerateOrNonFiniteLines) {
    using T = AffineTransformer<Image<unsigned short>, Image<unsigned char>>;
    EXPECT_MESSAGE(T(element("<t><x0>5</x0><y0>0</y0><x1>5</x1><y1>1</y1></t>")),
                   "attempt to divide by zero in interpolant::Linear");
    EXPECT_MESSAGE(T(element("<t><x0>inf</x0><y0>0</y0><x1>5</x1><y1>1</y1></t>")),
                   "invalid x0 = inf in t (expected a finite number)");
    using F = FullIntensityAffineTransformer<Image<float>, Image<unsigned char>>;
    EXPECT_MESSAGE(F(element("<t><minimum>0</minimum><maximum>nan</maximum></t>")),
                   "invalid maximum = nan in t (expected a finite number)");
}

}  // namespace
