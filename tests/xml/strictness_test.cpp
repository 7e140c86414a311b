#include <gtest/gtest.h>

#include "xml/strictness.h"

namespace {

TEST(Strictness, MistakesWarnByDefaultAndFailInStrictMode) {
    ASSERT_FALSE(xml::strict_mode());
    testing::internal::CaptureStdout();
    EXPECT_NO_THROW(xml::warn_or_throw("frame_counter has no element modulus"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "warning: frame_counter has no element modulus\n");

    xml::set_strict_mode(true);
    EXPECT_THROW(xml::warn_or_throw("frame_counter has no element modulus"), std::exception);
    xml::set_strict_mode(false);
}

}  // namespace
