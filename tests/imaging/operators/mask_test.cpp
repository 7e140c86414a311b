#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "imaging/operators/mask_factory.h"
#include "operator_test_support.h"
#include "support/expect_message.h"

namespace {

using namespace ipc;
using operator_test::element;
using operator_test::pairs_of;
using Pairs = std::vector<std::pair<int, int>>;

util::CountedPtr<Mask> make(const std::string& xml) { return mask_factory().create(element(xml)); }

TEST(MaskTest, FactoryKnowsBothMaskKeys) {
    EXPECT_TRUE(mask_factory().has("circle_mask"));
    EXPECT_TRUE(mask_factory().has("disk_mask"));
    EXPECT_MESSAGE(make("<square_mask/>"), "Unknown key: key = square_mask");
}

TEST(MaskTest, SmallMasksHaveTheExpectedOffsetsInOrder) {
    struct Case {
        std::string xml;
        Pairs offsets;
    };
    const Case cases[] = {
        {"<circle_mask><radius>0</radius></circle_mask>", {{0, 0}}},
        {"<circle_mask><radius>1.0</radius></circle_mask>", {{-1, 0}, {0, -1}, {0, 0}, {0, 1}, {1, 0}}},
        {"<circle_mask><radius>1.5</radius></circle_mask>",
         {{-1, -1}, {-1, 0}, {-1, 1}, {0, -1}, {0, 0}, {0, 1}, {1, -1}, {1, 0}, {1, 1}}},
        {"<disk_mask><inner_radius>0</inner_radius><outer_radius>1</outer_radius></disk_mask>",
         {{-1, 0}, {0, -1}, {0, 1}, {1, 0}}},
        {"<disk_mask><inner_radius>1</inner_radius><outer_radius>1.5</outer_radius></disk_mask>",
         {{-1, -1}, {-1, 1}, {1, -1}, {1, 1}}},
    };
    for (const Case& c : cases) EXPECT_EQ(pairs_of(*make(c.xml)), c.offsets) << c.xml;
}

TEST(MaskTest, LargerMasksFollowTheirInequalitiesAndBoundingBox) {
    const double r = 3.7, a = 2.0, b = 4.2;
    auto circle = make("<circle_mask><radius>3.7</radius></circle_mask>");
    auto disk = make("<disk_mask><inner_radius>2</inner_radius><outer_radius>4.2</outer_radius></disk_mask>");
    std::size_t in_circle = 0, in_ring = 0;
    for (int dx = -5; dx <= 5; ++dx)
        for (int dy = -5; dy <= 5; ++dy) {
            const double d2 = dx * dx + dy * dy;
            in_circle += d2 <= r * r;
            in_ring += a * a < d2 && d2 <= b * b;
        }
    EXPECT_EQ(circle->size(), in_circle);
    EXPECT_EQ(disk->size(), in_ring);
    EXPECT_TRUE(std::is_sorted(circle->offsets().begin(), circle->offsets().end()));
    EXPECT_EQ(std::make_pair(circle->min_dx(), circle->max_dx()), std::make_pair(-3, 3));
    EXPECT_EQ(std::make_pair(disk->min_dy(), disk->max_dy()), std::make_pair(-4, 4));
}

TEST(MaskTest, MasksWithoutOffsetsOrWithBadRadiiAreRefused) {
    EXPECT_MESSAGE(make("<circle_mask><radius>-1</radius></circle_mask>"),
                   "invalid radius = -1 in circle_mask (expected a finite number from 0 to 65535)");
    EXPECT_MESSAGE(make("<circle_mask><radius>nan</radius></circle_mask>"),
                   "invalid radius = nan in circle_mask (expected a finite number from 0 to 65535)");
    EXPECT_MESSAGE(make("<disk_mask><inner_radius>1</inner_radius><outer_radius>1.2</outer_radius></disk_mask>"),
                   "mask has no offsets: disk_mask with inner_radius = 1, outer_radius = 1.2");
    EXPECT_MESSAGE(make("<disk_mask><inner_radius>3</inner_radius><outer_radius>2</outer_radius></disk_mask>"),
                   "mask has no offsets: disk_mask with inner_radius = 3, outer_radius = 2");
    EXPECT_MESSAGE(make("<disk_mask><inner_radius>-2</inner_radius><outer_radius>2</outer_radius></disk_mask>"),
                   "invalid inner_radius = -2 in disk_mask (expected a finite number from 0 to 65535)");
}

TEST(MaskTest, ConvolverElementMustHoldExactlyOneMask) {
    EXPECT_MESSAGE(mask_from_only_child(element("<max_convolver/>")),
                   "expected one mask element in max_convolver, found 0");
    EXPECT_MESSAGE(mask_from_only_child(element("<max_convolver><circle_mask><radius>1</radius></circle_mask>"
                                                "<circle_mask><radius>2</radius></circle_mask></max_convolver>")),
                   "expected one mask element in max_convolver, found 2");
    EXPECT_EQ(mask_from_only_child(element("<c><circle_mask><radius>1</radius></circle_mask></c>"))->size(), 5u);
}

}  // namespace
