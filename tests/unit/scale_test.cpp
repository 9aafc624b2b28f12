// The display scale from a density, and the Linux program's choice of that density.
#include "animation/placement.h"
#include "platform/sdl/options.h"

#include <gtest/gtest.h>

namespace polkamoot {
namespace {

TEST(DisplayScale, TheNearestWholeMultipleOfTheClassicScreenAtLeastOne) {
    const std::pair<int, int> densities[] = {{96, 1},  {120, 1}, {143, 1}, {144, 2},
                                             {192, 2}, {288, 3}, {0, 1},   {-200, 1}};
    for (auto [dpi, scale] : densities) {
        EXPECT_EQ(scale, ScaleForDpi(dpi)) << dpi;
    }
}

TEST(DisplayScale, OnLinuxTheOptionElseXftDpiElseTheScreenRoundedWithinOneToEight) {
    const struct {
        int chosen;
        double xftDpi;
        int side, expected;
    } cases[] = {{0, 0, 1619, 1},  {0, 0, 1620, 2}, {0, 0, 2880, 3},   {0, 0, 0, 1},
                 {0, 0, 9720, 8},  {0, 1, 2160, 1}, {0, 120, 2160, 1}, {0, 144, 1080, 2},
                 {0, 1e300, 0, 8}, {3, 0, 1080, 3}, {1, 192, 2160, 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, sdl::ChooseScale(c.chosen, c.xftDpi, c.side))
            << c.chosen << " " << c.xftDpi << " " << c.side;
    }
    const char* argv[] = {"polkamoot", "-scale", "8"}; // the settings give 1 to 4
    sdl::Options options;
    std::string error;
    EXPECT_TRUE(sdl::ParseOptions(3, argv, &options, &error) && options.scale == 8);
}

TEST(DisplayScale, OnLinuxAtMostWhatLetsOneBearOfFullSizeFitTheWindowWithItsMargin) {
    const struct {
        int asked, width, height, expected;
    } cases[] = {{8, 800, 600, 4}, {5, 750, 645, 5},   {5, 749, 645, 4},
                 {5, 750, 644, 4}, {2, 3840, 2160, 2}, {3, 149, 128, 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, sdl::ScaleThatFits(c.asked, c.width, c.height))
            << c.asked << " " << c.width << "x" << c.height;
    }
}

} // namespace
} // namespace polkamoot
