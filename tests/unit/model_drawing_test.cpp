// The model's drawing: StretchBlt and FillRect through the contexts they take, on a window's
// surface and on bitmaps, and what the backend hears of it. The saver's pictures cannot tell
// most of this: its bears end in black columns on a black screen.
#include "fake/fake.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace polkamoot {
namespace {

using Pixels = std::vector<DWORD>;

std::array<LONG, 4> Edges(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// A 4 x 3 window, and a 3 x 2 bitmap of pixels 1 to 6 in a memory context.
class Drawing : public ::testing::Test {
  protected:
    void SetUp() override {
        fake::Reset();
        window = fake::MakeForeignWindow(4, 3);
        dc = GetDC(window);
        source = CreateCompatibleDC(dc);
        bitmap = fake::MakeBitmap(fake::Image{3, 2, {1, 2, 3, 4, 5, 6}});
        held = SelectObject(source, bitmap);
    }

    void TearDown() override {
        SelectObject(source, held);
        EXPECT_TRUE(DeleteDC(source) && DeleteObject(bitmap) && ReleaseDC(window, dc));
        EXPECT_EQ(0, fake::Live(fake::Kind::Dc) + fake::Live(fake::Kind::Bitmap));
    }

    // What the window shows, and the rectangles reported drawn.
    std::pair<Pixels, std::vector<std::array<LONG, 4>>> Shown() {
        std::vector<std::array<LONG, 4>> painted;
        for (const fake::Painting& painting : fake::machine.paintings) {
            EXPECT_EQ(window, painting.window);
            painted.push_back(Edges(painting.rect));
        }
        return {fake::Surface(window).pixels, painted};
    }

    HWND window = nullptr;
    HDC dc = nullptr, source = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ held = nullptr;
};

TEST_F(Drawing, StretchBltTakesTheNearestSourcePixelWithinTheBitmapAndTheWindow) {
    struct Case {
        std::array<int, 8> blt; // target x, y, width, height; source x, y, width, height
        Pixels shown;
    };
    const Case cases[] = {
        {{1, 0, 3, 2, 0, 0, 3, 2}, {0, 1, 2, 3, 0, 4, 5, 6, 0, 0, 0, 0}},  // the last column
        {{-1, 1, 3, 2, 0, 0, 3, 2}, {0, 0, 0, 0, 2, 3, 0, 0, 5, 6, 0, 0}}, // clipped
        {{-1, 0, 6, 4, 0, 0, 3, 2}, {1, 2, 2, 3, 1, 2, 2, 3, 4, 5, 5, 6}}, // enlarged
        {{0, 0, 2, 1, 0, 0, 3, 2}, {4, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},  // shrunk
        {{1, 1, 3, 2, -1, 1, 3, 2}, {0, 0, 0, 0, 0, 0, 4, 5, 0, 0, 0, 0}}, // partly outside it
        {{0, 0, 6, 2, -1, 0, 3, 2}, {0, 0, 1, 1, 0, 0, 4, 4, 0, 0, 0, 0}}, // enlarged, outside
        {{-2, 0, 6, 2, 1, 0, 3, 2}, {3, 3, 0, 0, 6, 6, 0, 0, 0, 0, 0, 0}}, // both ends trimmed
        {{0, 0, 3, 2, 0, 3, 3, 2}, Pixels(12)},                            // rows outside it
    };
    for (const Case& c : cases) {
        SetUp(); // the model afresh, the last one's objects dropped
        auto [x, y, width, height, sourceX, sourceY, sourceWidth, sourceHeight] = c.blt;
        EXPECT_TRUE(StretchBlt(dc, x, y, width, height, source, sourceX, sourceY, sourceWidth,
                               sourceHeight, SRCCOPY));
        RECT area{std::max(x, 0), std::max(y, 0), std::min(x + width, 4), std::min(y + height, 3)};
        EXPECT_EQ(std::pair(c.shown, std::vector{Edges(area)}), Shown()) << &c - cases;
    }
}

TEST_F(Drawing, StretchBltDrawsNothingForNothingAndRefusesWhatItCannotDraw) {
    HDC screen = GetDC(nullptr);
    HDC dead = CreateCompatibleDC(nullptr);
    DeleteDC(dead);
    auto blt = [&](HDC target, std::array<int, 4> place, HDC from, int sourceWidth,
                   int sourceHeight, DWORD rop = SRCCOPY) {
        auto [x, y, width, height] = place;
        return StretchBlt(target, x, y, width, height, from, 0, 0, sourceWidth, sourceHeight, rop);
    };
    // Off the window, no width or height, no source: done.
    EXPECT_TRUE(blt(dc, {4, 0, 1, 1}, source, 3, 2) && blt(dc, {0, -1, 4, 1}, source, 3, 2) &&
                blt(dc, {0, 0, 0, 1}, source, 3, 2) && blt(dc, {0, 0, 1, 0}, source, 3, 2) &&
                blt(dc, {0, 0, 4, 3}, source, 0, 2) && blt(dc, {0, 0, 4, 3}, source, 3, 0));
    // Negative sizes, another operation, a source that is no memory context or is gone, a
    // target that is gone, has no pixels, or is the source: refused.
    EXPECT_FALSE(blt(dc, {0, 0, -1, 3}, source, 3, 2) || blt(dc, {0, 0, 4, -1}, source, 3, 2) ||
                 blt(dc, {0, 0, 4, 3}, source, -1, 2) || blt(dc, {0, 0, 4, 3}, source, 3, -1) ||
                 blt(dc, {0, 0, 4, 3}, source, 3, 2, SRCCOPY + 1) ||
                 blt(dc, {0, 0, 4, 3}, dc, 3, 2) || blt(dc, {0, 0, 4, 3}, dead, 3, 2) ||
                 blt(dead, {0, 0, 4, 3}, source, 3, 2) || blt(screen, {0, 0, 4, 3}, source, 3, 2) ||
                 blt(source, {0, 0, 4, 3}, source, 3, 2));
    EXPECT_EQ(std::pair(Pixels(12), std::vector<std::array<LONG, 4>>{}), Shown());
    EXPECT_TRUE(ReleaseDC(nullptr, screen));
}

TEST_F(Drawing, StretchBltAndFillRectDrawOnTheBitmapOfAMemoryContextUnreported) {
    HDC target = CreateCompatibleDC(nullptr);
    HBITMAP canvas = CreateCompatibleBitmap(dc, 3, 2);
    HGDIOBJ before = SelectObject(target, canvas);
    EXPECT_TRUE(StretchBlt(target, 1, 0, 2, 2, source, 1, 0, 2, 2, SRCCOPY));
    const RECT corner{-1, -1, 1, 1};
    auto black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    EXPECT_TRUE(FillRect(source, &corner, black));
    SelectObject(target, before);
    EXPECT_EQ((Pixels{0, 2, 3, 0, 5, 6}), fake::BitmapImage(canvas).pixels);
    EXPECT_EQ((Pixels{0, 2, 3, 4, 5, 6}), fake::BitmapImage(bitmap).pixels);
    EXPECT_TRUE(fake::machine.paintings.empty());
    EXPECT_TRUE(DeleteDC(target) && DeleteObject(canvas));
}

TEST_F(Drawing, FillRectBlackensOnlyWithTheBlackBrushWithinTheWindow) {
    StretchBlt(dc, 0, 0, 4, 3, source, 0, 0, 3, 2, SRCCOPY);
    HDC fresh = CreateCompatibleDC(dc); // holds a 1 x 1 black bitmap
    StretchBlt(dc, 3, 2, 1, 1, fresh, 0, 0, 1, 1, SRCCOPY);
    DeleteDC(fresh);
    fake::machine.paintings.clear();
    auto black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    auto palette = reinterpret_cast<HBRUSH>(GetStockObject(DEFAULT_PALETTE));
    HDC screen = GetDC(nullptr);
    const RECT inside{1, 1, 3, 2}, beyond{2, -5, 9, 1}, empty{2, 0, 2, 3}, flat{0, 2, 4, 2};
    const std::vector<int> filled = {
        FillRect(dc, &inside, black),     FillRect(dc, &beyond, black),
        FillRect(dc, &empty, black),      FillRect(dc, &flat, black),
        FillRect(dc, &inside, palette),   FillRect(dc, nullptr, black),
        FillRect(screen, &inside, black), FillRect(nullptr, &inside, black)};
    EXPECT_EQ((std::vector<int>{1, 1, 1, 1, 0, 0, 0, 0}), filled);
    EXPECT_EQ(std::pair(Pixels{1, 2, 0, 0, 4, 0, 0, 6, 4, 5, 5, 0},
                        std::vector<std::array<LONG, 4>>{{1, 1, 3, 2}, {2, 0, 4, 1}}),
              Shown());
    ReleaseDC(nullptr, screen);
}

} // namespace
} // namespace polkamoot
