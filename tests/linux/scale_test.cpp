// The display scale's rule, as a table: the option, else Xft.dpi, else the screen's shorter side.
#include "platform/sdl/options.h"

#include <gtest/gtest.h>

namespace polkamoot::sdl {

TEST(ChooseScale, TheOptionElseXftDpiElseTheScreenRoundedWithinOneToEight) {
    struct Case {
        int chosen;
        double xftDpi;
        int shorterSide;
        int expected;
    };
    const Case cases[] = {
        {0, 0, 1080, 1},   {0, 0, 1440, 1},     {0, 0, 1620, 2},   {0, 0, 2160, 2},
        {0, 0, 2880, 3},   {0, 0, 0, 1},        {0, 0, 9720, 8},   {0, 0, 100000, 8},
        {0, 96, 2160, 1},  {0, 120, 1080, 1},   {0, 144, 1080, 2}, {0, 192, 1080, 2},
        {0, 288, 1080, 3}, {0, 1e300, 1080, 8}, {0, 1, 2160, 1},   {3, 0, 1080, 3},
        {1, 192, 2160, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, ChooseScale(c.chosen, c.xftDpi, c.shorterSide))
            << c.chosen << " " << c.xftDpi << " " << c.shorterSide;
    }
}

} // namespace polkamoot::sdl
