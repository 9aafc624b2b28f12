// The platform model on its own, where the saver's tests cannot tell a fault from their pictures
// and counts: the misuse a checked build reports, StretchBlt's edges, where a profile write lands.
#include "fake/fake.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <vector>

namespace polkamoot {
namespace {

TEST(Bitmaps, DeletingWhatIsSelectedOrAContextHoldingABitmapIsAFaultToldAfterAReset) {
    fake::Reset();
    HDC memory = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = fake::MakeBitmap({1, 1, {7}});
    HGDIOBJ held = SelectObject(memory, bitmap);
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_EQ(bitmap, SelectObject(memory, held)) << "alive till it leaves";
    SelectObject(memory, fake::MakeBitmap({1, 1, {7}}));
    DeleteDC(memory);
    fake::Reset();
    EXPECT_EQ((std::vector<std::string>{"DeleteObject: the bitmap is still selected into a context",
                                        "DeleteDC: the context still holds a bitmap"}),
              fake::TakeFaults());
}

TEST(Drawing, StretchBltTakesTheNearestSourcePixelWithinTheBitmapAndTheWindow) {
    // Target x, y, width, height; source x, y, width, height: what a 4 x 3 window shows of a
    // 3 x 2 bitmap of pixels 1 to 6.
    const std::pair<std::array<int, 8>, std::vector<DWORD>> cases[] = {
        {{1, 0, 3, 2, 0, 0, 3, 2}, {0, 1, 2, 3, 0, 4, 5, 6, 0, 0, 0, 0}},  // the last column
        {{-1, 1, 3, 2, 0, 0, 3, 2}, {0, 0, 0, 0, 2, 3, 0, 0, 5, 6, 0, 0}}, // clipped
        {{-1, 0, 6, 4, 0, 0, 3, 2}, {1, 2, 2, 3, 1, 2, 2, 3, 4, 5, 5, 6}}, // enlarged
        {{0, 0, 2, 1, 0, 0, 3, 2}, {4, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},  // shrunk
        {{1, 1, 3, 2, -1, 1, 3, 2}, {0, 0, 0, 0, 0, 0, 4, 5, 0, 0, 0, 0}}, // partly outside it
        {{0, 0, 6, 2, -1, 0, 3, 2}, {0, 0, 1, 1, 0, 0, 4, 4, 0, 0, 0, 0}}, // enlarged, outside
        {{-2, 0, 6, 2, 1, 0, 3, 2}, {3, 3, 0, 0, 6, 6, 0, 0, 0, 0, 0, 0}}, // both ends trimmed
        {{0, 0, 3, 2, 0, 3, 3, 2}, std::vector<DWORD>(12)},                // rows outside it
    };
    for (const auto& [blt, shown] : cases) {
        fake::Reset(); // the last case's objects dropped with the model
        HWND window = fake::MakeForeignWindow(4, 3);
        HDC dc = GetDC(window), source = CreateCompatibleDC(dc);
        SelectObject(source, fake::MakeBitmap(fake::Image{3, 2, {1, 2, 3, 4, 5, 6}}));
        auto [x, y, width, height, sourceX, sourceY, sourceWidth, sourceHeight] = blt;
        EXPECT_TRUE(StretchBlt(dc, x, y, width, height, source, sourceX, sourceY, sourceWidth,
                               sourceHeight, SRCCOPY));
        const RECT& painted = fake::machine.paintings.at(0).rect;
        EXPECT_EQ(std::pair(shown, std::array{std::max(x, 0), std::max(y, 0),
                                              std::min(x + width, 4), std::min(y + height, 3)}),
                  std::pair(fake::Surface(window).pixels,
                            std::array{painted.left, painted.top, painted.right, painted.bottom}))
            << &blt - &cases[0].first;
    }
}

TEST(Drawing, StretchBltDrawsNothingForNothingAndRefusesWhatItCannotDraw) {
    fake::Reset();
    HWND window = fake::MakeForeignWindow(4, 3);
    HDC dc = GetDC(window), screen = GetDC(nullptr), source = CreateCompatibleDC(dc);
    HDC dead = CreateCompatibleDC(dc);
    DeleteDC(dead);
    SelectObject(source, fake::MakeBitmap(fake::Image{3, 2, {1, 2, 3, 4, 5, 6}}));
    auto blt = [&](HDC to, std::array<int, 4> at, HDC from, int sourceWidth, int sourceHeight,
                   DWORD rop = SRCCOPY) {
        return StretchBlt(to, at[0], at[1], at[2], at[3], from, 0, 0, sourceWidth, sourceHeight,
                          rop);
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
    EXPECT_TRUE(fake::machine.paintings.empty() &&
                fake::Surface(window).pixels == std::vector<DWORD>(12));
}

TEST(Profile, AWriteReplacesTheKeysLineOrFollowsTheSectionsLastKeyOrAddsTheSection) {
    // The text before; the section, key and value written; the text after.
    const std::tuple<const char*, const char*, const char*, const char*, const char*> cases[] = {
        {"", "Saver", " Red ", " 1 ", "[Saver]\r\nRed=1\r\n"},
        {"x=1", "Saver", "Red", "1", "x=1\r\n[Saver]\r\nRed=1\r\n"},
        {"x=1\n", "Saver", "Red", "1", "x=1\n[Saver]\r\nRed=1\r\n"},
        {"[saver]\nred = 2\nBlue=0\n", "Saver", "Red", "3", "[saver]\nRed=3\nBlue=0\n"},
        {"[Saver]\r\nA=1\r\n; note\r\n[Other]\r\n", "SAVER", "B", "2",
         "[Saver]\r\nA=1\r\nB=2\r\n; note\r\n[Other]\r\n"},
        {"[Saver]\r\n\r\n[Other]\r\nB=1\r\n", "Saver", "B", "2",
         "[Saver]\r\nB=2\r\n\r\n[Other]\r\nB=1\r\n"},
        {"[Saver]\r\nA=1", "Saver", "B", "2", "[Saver]\r\nA=1\r\nB=2\r\n"},
    };
    for (auto [before, section, key, text, after] : cases) {
        fake::Reset();
        fake::SetProfileText("control.ini", before);
        EXPECT_TRUE(WritePrivateProfileStringA(section, key, text, "CONTROL.ini"));
        EXPECT_EQ(after, fake::ProfileText("Control.ini")) << before;
    }
    fake::FailCall("WritePrivateProfileStringA");
    EXPECT_FALSE(WritePrivateProfileStringA("Saver", "B", "3", "control.ini") ||
                 WritePrivateProfileStringA(nullptr, "B", "3", "control.ini") ||
                 WritePrivateProfileStringA("Saver", nullptr, "3", "control.ini") ||
                 WritePrivateProfileStringA("Saver", "B", nullptr, "control.ini"));
    EXPECT_EQ("[Saver]\r\nA=1\r\nB=2\r\n", fake::ProfileText("control.ini"));
}

} // namespace
} // namespace polkamoot
