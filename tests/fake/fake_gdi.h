// The fake's graphics and movable memory, for tests.
//
// Device bitmaps are pixel arrays in the display's format: 0x00RRGGBB words that hold what a
// 32-bit display keeps of a color (or a 16-bit 5-5-5 one, after SetDisplayBits(16)); a
// monochrome bitmap keeps black and white. Window contexts draw onto a surface per window,
// sized by its client rectangle; the screen context onto one the size of the screen.
//
// What it does as the platform does, measured: GetDIBits fills the platform's own tables (for
// 4 bits: dark gray at 7, light gray at 8) and maps each color to the nearest entry by squared
// distance, first of equals; DIB_PAL_COLORS tables are indices 0, 1, 2... into the selected
// palette; CreateDIBitmap with no context makes a monochrome bitmap; a shrinking StretchBlt
// combines the pixels that fall together with AND (the default stretch mode), or keeps the one
// nearest the target pixel's centre after SetStretchBltMode(COLORONCOLOR); a bitmap deleted
// while selected dies when it is deselected; GlobalReAlloc moves the bytes and keeps the handle.
// Not simulated (the call fails): raster operations other than SRCCOPY, stretch modes other than
// those two, mirroring by negative sizes, palettes other than the stock one, compressed images,
// core-header requests to GetDIBits, CreateDIBitmap with a header and an image of different
// sizes.
#pragma once

#include "fake/fake.h"

#include <cstddef>
#include <vector>

namespace polkamoot::fake {

constexpr DWORD Rgb(BYTE red, BYTE green, BYTE blue) {
    return DWORD{red} << 16 | DWORD{green} << 8 | blue;
}

// Rows from the top, each `width` pixels.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels;
    DWORD At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    bool operator==(const Image&) const = default;
};

// 32 (the default) or 16. Takes effect for bitmaps and surfaces made afterwards.
void SetDisplayBits(int bits);
// What the display keeps of a color.
DWORD DisplayColor(DWORD rgb);

// A device bitmap as the platform would load it, counted like any other.
HBITMAP MakeBitmap(const Image& image);
Image BitmapImage(HBITMAP bitmap); // empty when not a live bitmap
bool BitmapAlive(HBITMAP bitmap);
HBITMAP SelectedBitmap(HDC dc);

// What has been drawn on a window's client area (null: the whole screen).
Image Surface(HWND window);
DWORD SurfacePixel(HWND window, int x, int y);

// Every StretchBlt and FillRect in order. `window` is the target window (null for the screen
// and for memory contexts), `bitmap` the bitmap selected in a target memory context; rectangles
// as asked, before clipping.
enum class DrawOp { StretchBlt, FillRect };
struct DrawCall {
    DrawOp op;
    HDC dc;
    HWND window;
    HBITMAP bitmap;
    RECT rect;
    HBITMAP sourceBitmap; // StretchBlt only
    RECT sourceRect;      // StretchBlt only
};
std::vector<DrawCall> DrawCalls();
void ClearDrawCalls();

// Palette selections and realizations in order; a realization has palette null.
struct PaletteCall {
    HDC dc;
    HPALETTE palette;
    BOOL forceBackground;
    bool realize;
};
std::vector<PaletteCall> PaletteCalls();

// Movable memory blocks. Size 0 and lock count 0 for handles that are not live blocks.
std::size_t BlockSize(HGLOBAL block);
int LockCount(HGLOBAL block);
int FreedWhileLocked();

} // namespace polkamoot::fake
