#include "host/command_line.h"

#include <gtest/gtest.h>

namespace polkamoot {
namespace {

TEST(ArgumentText, Placeholder) {
    CPINFO western{};
    EXPECT_STREQ("/s", ArgumentText("polkamoot.scr /s", western));
}

} // namespace
} // namespace polkamoot
