#include "util/recent_values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <thread>

namespace {

struct Pair {
    Pair(double a, int b) : a(a), b(b) {}
    double a;
    int b;
};

TEST(RecentShared, EqualArgumentsShareOneObjectAndOthersGetTheirOwn) {
    const auto first = util::recent_shared<Pair>(1.5, 2);
    EXPECT_EQ(util::recent_shared<Pair>(1.5, 2), first);
    const auto other = util::recent_shared<Pair>(1.5, 3);
    EXPECT_NE(other, first);
    EXPECT_EQ(other->b, 3);
    // 0.0 and -0.0 compare equal but print differently: never shared.
    const auto zero = util::recent_shared<Pair>(0.0, 1);
    const auto negative_zero = util::recent_shared<Pair>(-0.0, 1);
    EXPECT_NE(zero, negative_zero);
    EXPECT_TRUE(std::signbit(negative_zero->a));
}

TEST(RecentShared, KeepsOnlyTheLastFewValuesAndEachThreadItsOwn) {
    const auto kept = util::recent_shared<Pair>(10.0, 0);
    for (int i = 1; i <= 4; ++i) util::recent_shared<Pair>(10.0, i);
    EXPECT_NE(util::recent_shared<Pair>(10.0, 0), kept);  // pushed out by four newer values

    const auto here = util::recent_shared<Pair>(20.0, 0);
    std::shared_ptr<const Pair> there;
    std::thread([&there] { there = util::recent_shared<Pair>(20.0, 0); }).join();
    EXPECT_NE(here, there);
    EXPECT_EQ(there->a, 20.0);
}

}  // namespace
