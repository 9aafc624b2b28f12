// The display scale: the option's range, and the rule without it, as a table: Xft.dpi, else the
// screen's shorter side.
#include "platform/sdl/options.h"

#include <gtest/gtest.h>

namespace polkamoot::sdl {

TEST(ChooseScale, TheOptionElseXftDpiElseTheScreenRoundedWithinOneToEight) {
    const struct {
        int chosen;
        double xftDpi;
        int side, expected;
    } cases[] = {{0, 0, 1619, 1},  {0, 0, 1620, 2}, {0, 0, 2880, 3},   {0, 0, 0, 1},
                 {0, 0, 9720, 8},  {0, 1, 2160, 1}, {0, 120, 2160, 1}, {0, 144, 1080, 2},
                 {0, 1e300, 0, 8}, {3, 0, 1080, 3}, {1, 192, 2160, 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, ChooseScale(c.chosen, c.xftDpi, c.side))
            << c.chosen << " " << c.xftDpi << " " << c.side;
    }
    for (const char* scale : {"1", "8"}) {
        const char* argv[] = {"polkamoot", "-scale", scale};
        Options options;
        std::string error;
        EXPECT_TRUE(ParseOptions(3, argv, &options, &error) && options.scale == *scale - '0');
    }
}

} // namespace polkamoot::sdl
