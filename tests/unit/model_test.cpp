// The platform model's own drawing, where the saver's pictures cannot tell: its bears end in
// black columns on a black screen.
#include "fake/fake.h"

#include <gtest/gtest.h>

namespace polkamoot {
namespace {

TEST(StretchBlt, CopiesEveryColumnAsIsOrNearestWhenEnlargedAndClipsAtTheEdges) {
    // A 3 x 2 bitmap of pixels 1 to 6 drawn at x on a 4 x 3 window, as it is or twice its size.
    const struct {
        int x, scale;
        std::vector<DWORD> shown;
    } cases[] = {{1, 1, {0, 1, 2, 3, 0, 4, 5, 6, 0, 0, 0, 0}},
                 {-1, 1, {2, 3, 0, 0, 5, 6, 0, 0, 0, 0, 0, 0}},
                 {-1, 2, {1, 2, 2, 3, 1, 2, 2, 3, 4, 5, 5, 6}}};
    for (const auto& c : cases) {
        fake::Reset();
        HWND window = fake::MakeForeignWindow(4, 3);
        HDC dc = GetDC(window);
        HDC source = CreateCompatibleDC(dc);
        SelectObject(source, fake::MakeBitmap(fake::Image{3, 2, {1, 2, 3, 4, 5, 6}}));
        EXPECT_TRUE(StretchBlt(dc, c.x, 0, 3 * c.scale, 2 * c.scale, source, 0, 0, 3, 2, SRCCOPY));
        EXPECT_EQ(c.shown, fake::Surface(window).pixels) << c.x << ", " << c.scale;
    }
}

} // namespace
} // namespace polkamoot
