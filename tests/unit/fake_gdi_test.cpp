// The fake's graphics and memory, held to what the platform was measured to do.
#include "fake/fake_gdi.h"

#include <gtest/gtest.h>

namespace polkamoot {
namespace {

using fake::Kind;
using fake::Rgb;

class FakeGdi : public ::testing::Test {
  protected:
    void SetUp() override { fake::Reset(); }

    static fake::Image Row(std::vector<DWORD> colors) {
        int width = static_cast<int>(colors.size());
        return fake::Image{width, 1, std::move(colors)};
    }

    // A row of seven distinct colors drawn onto a black row of `width`.
    static std::vector<DWORD> Stretched(int x, int width, int sourceX, int sourceWidth) {
        const std::vector<DWORD> seven = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF,
                                          0x808080, 0x800000, 0x008000};
        HDC sourceDc = CreateCompatibleDC(nullptr);
        HDC targetDc = CreateCompatibleDC(nullptr);
        HBITMAP source = fake::MakeBitmap(Row(seven));
        HBITMAP target = fake::MakeBitmap(Row(std::vector<DWORD>(16, 0)));
        HGDIOBJ oldSource = SelectObject(sourceDc, source);
        HGDIOBJ oldTarget = SelectObject(targetDc, target);
        EXPECT_TRUE(
            StretchBlt(targetDc, x, 0, width, 1, sourceDc, sourceX, 0, sourceWidth, 1, SRCCOPY));
        SelectObject(sourceDc, oldSource);
        SelectObject(targetDc, oldTarget);
        DeleteDC(sourceDc);
        DeleteDC(targetDc);
        std::vector<DWORD> pixels = fake::BitmapImage(target).pixels;
        DeleteObject(source);
        DeleteObject(target);
        return pixels;
    }
};

TEST_F(FakeGdi, StretchGrowsByNearestAndShrinksByAnd) {
    EXPECT_EQ((std::vector<DWORD>{0xFF0000, 0xFF0000, 0x00FF00, 0x00FF00, 0x00FF00, 0x0000FF,
                                  0x0000FF, 0xFFFFFF, 0xFFFFFF, 0x808080, 0x808080, 0x800000,
                                  0x800000, 0x800000, 0x008000, 0x008000}),
              Stretched(0, 16, 0, 7));
    std::vector<DWORD> shrunk = Stretched(0, 3, 0, 7);
    EXPECT_EQ((std::vector<DWORD>{0, 0x000080, 0}),
              std::vector<DWORD>(shrunk.begin(), shrunk.begin() + 3));
    std::vector<DWORD> clipped = Stretched(12, 7, 0, 7);
    EXPECT_EQ((std::vector<DWORD>{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}),
              std::vector<DWORD>(clipped.begin() + 12, clipped.end()));
    std::vector<DWORD> offSource = Stretched(0, 7, 4, 7); // source columns past the bitmap
    EXPECT_EQ((std::vector<DWORD>{0x808080, 0x800000, 0x008000, 0, 0, 0, 0}),
              std::vector<DWORD>(offSource.begin(), offSource.begin() + 7));
    EXPECT_EQ(0, fake::Live(Kind::Bitmap));
    EXPECT_EQ(0, fake::Live(Kind::Dc));
}

TEST_F(FakeGdi, WindowContextsDrawOnTheClientAreaAndAreLogged) {
    HWND window = fake::MakeForeignWindow(20, 10);
    HDC dc = GetDC(window);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP sprite = fake::MakeBitmap(fake::Image{2, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}});
    HGDIOBJ previous = SelectObject(memory, sprite);
    RECT whole{0, 0, 20, 10};
    auto black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    EXPECT_TRUE(FillRect(dc, &whole, black));
    EXPECT_TRUE(StretchBlt(dc, 18, 8, 4, 4, memory, 0, 0, 2, 2, SRCCOPY));
    EXPECT_EQ(20, fake::Surface(window).width);
    EXPECT_EQ(0xFF0000u, fake::SurfacePixel(window, 19, 9));
    EXPECT_EQ(0u, fake::SurfacePixel(window, 17, 9));

    std::vector<fake::DrawCall> calls = fake::DrawCalls();
    ASSERT_EQ(2u, calls.size());
    EXPECT_EQ(fake::DrawOp::FillRect, calls[0].op);
    EXPECT_EQ(window, calls[0].window);
    EXPECT_EQ(fake::DrawOp::StretchBlt, calls[1].op);
    EXPECT_EQ(22, calls[1].rect.right); // as asked, not clipped
    EXPECT_EQ(sprite, calls[1].sourceBitmap);

    EXPECT_EQ(2, fake::Live(Kind::Dc));
    EXPECT_EQ(sprite, SelectObject(memory, previous));
    DeleteDC(memory);
    EXPECT_EQ(0, ReleaseDC(nullptr, dc)); // not the screen's
    EXPECT_EQ(1, ReleaseDC(window, dc));
    EXPECT_EQ(0, fake::Live(Kind::Dc));
    DeleteObject(sprite);
}

TEST_F(FakeGdi, SelectedBitmapDiesOnlyWhenDeselected) {
    HDC memory = CreateCompatibleDC(nullptr);
    HDC other = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = fake::MakeBitmap(Row({1, 2}));
    HGDIOBJ stock = SelectObject(memory, bitmap);
    EXPECT_EQ(nullptr, SelectObject(other, bitmap)); // one context at a time
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_FALSE(fake::BitmapAlive(bitmap));
    EXPECT_EQ(1, fake::Live(Kind::Bitmap));
    SelectObject(memory, stock);
    EXPECT_EQ(0, fake::Live(Kind::Bitmap));
    EXPECT_FALSE(DeleteObject(bitmap));
    EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_BRUSH)));
    DeleteDC(memory);
    DeleteDC(other);
}

TEST_F(FakeGdi, DescribesBitmapsInTheDisplayFormat) {
    HBITMAP wide = fake::MakeBitmap(Row(std::vector<DWORD>(3, 0)));
    BITMAP description{};
    EXPECT_EQ(int(sizeof description), GetObjectA(wide, sizeof description, &description));
    EXPECT_EQ(3, description.bmWidth);
    EXPECT_EQ(12, description.bmWidthBytes);
    EXPECT_EQ(1, description.bmPlanes);
    EXPECT_EQ(32, description.bmBitsPixel);
    fake::SetDisplayBits(16);
    HBITMAP narrow = fake::MakeBitmap(Row({Rgb(128, 127, 200), 0, 0}));
    GetObjectA(narrow, sizeof description, &description);
    EXPECT_EQ(6, description.bmWidthBytes);
    EXPECT_EQ(16, description.bmBitsPixel);
    EXPECT_EQ(Rgb(132, 123, 206), fake::BitmapImage(narrow).At(0, 0));
    DeleteObject(wide);
    DeleteObject(narrow);
}

TEST_F(FakeGdi, ReadsBitsThroughThePlatformTables) {
    HBITMAP bitmap = fake::MakeBitmap(
        Row({Rgb(128, 128, 128), Rgb(192, 192, 192), Rgb(255, 0, 0), Rgb(100, 100, 100)}));
    HDC screen = GetDC(nullptr);
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    } info{};
    info.header = {40, 4, 1, 1, 4, BI_RGB, 0, 0, 0, 0, 0};
    BYTE bits[4] = {};
    EXPECT_EQ(1, GetDIBits(screen, bitmap, 0, 1, bits, reinterpret_cast<BITMAPINFO*>(&info),
                           DIB_RGB_COLORS));
    EXPECT_EQ(4u, info.header.biSizeImage);
    EXPECT_EQ(128, info.colors[7].rgbRed); // dark gray before light gray
    EXPECT_EQ(192, info.colors[8].rgbRed);
    EXPECT_EQ(0x78, bits[0]);
    EXPECT_EQ(0x97, bits[1]);

    info.header = {40, 4, 1, 1, 1, BI_RGB, 0, 0, 0, 0, 0};
    GetDIBits(screen, bitmap, 0, 1, bits, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    EXPECT_EQ(0xC0, bits[0]); // grays nearer white, red and 100 nearer black

    info.header = {40, 4, 1, 1, 8, BI_RGB, 0, 0, 0, 0, 0};
    GetDIBits(screen, bitmap, 0, 1, bits, reinterpret_cast<BITMAPINFO*>(&info), DIB_PAL_COLORS);
    EXPECT_EQ(12, bits[0]); // indices into the default palette
    EXPECT_EQ(7, bits[1]);
    EXPECT_EQ(13, bits[2]);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
}

TEST_F(FakeGdi, CreatesMonochromeBitmapsWithoutAContext) {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[2];
    } info{{40, 2, 1, 1, 1, BI_RGB, 0, 0, 0, 0, 0}, {{0, 0, 255, 0}, {255, 255, 255, 0}}};
    BYTE bits[4] = {0x40};
    HBITMAP bitmap = CreateDIBitmap(nullptr, &info.header, CBM_INIT, bits,
                                    reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    BITMAP description{};
    GetObjectA(bitmap, sizeof description, &description);
    EXPECT_EQ(1, description.bmBitsPixel);
    EXPECT_EQ((std::vector<DWORD>{0, 0xFFFFFF}), fake::BitmapImage(bitmap).pixels);
    DeleteObject(bitmap);
}

TEST_F(FakeGdi, MovableBlocksCountLocksAndMoveOnResize) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 8);
    auto* first = static_cast<BYTE*>(GlobalLock(block));
    EXPECT_EQ(first, GlobalLock(block));
    EXPECT_EQ(2, fake::LockCount(block));
    first[7] = 42;
    EXPECT_TRUE(GlobalUnlock(block));
    EXPECT_FALSE(GlobalUnlock(block));
    EXPECT_FALSE(GlobalUnlock(block)); // not locked
    EXPECT_EQ(block, GlobalReAlloc(block, 100, 0));
    auto* moved = static_cast<BYTE*>(GlobalLock(block));
    EXPECT_NE(first, moved);
    EXPECT_EQ(42, moved[7]);
    EXPECT_EQ(100u, fake::BlockSize(block));
    EXPECT_EQ(nullptr, GlobalFree(block));
    EXPECT_EQ(1, fake::FreedWhileLocked());
    EXPECT_EQ(0, fake::Live(Kind::Memory));
    EXPECT_EQ(nullptr, GlobalLock(block));
    EXPECT_EQ(block, GlobalFree(block));
}

} // namespace
} // namespace polkamoot
