// Shared by the fake's graphics files.
#pragma once

#include "fake/fake_gdi.h"
#include "fake/fake_internal.h"

namespace polkamoot::fake::gdi {

inline constexpr int DefaultPaletteSize = 20;
extern const DWORD DefaultPaletteColors[DefaultPaletteSize];

struct BitmapRecord {
    int width = 0;
    int height = 0;
    int bits = 32; // 32, 16 or 1
    std::vector<DWORD> pixels;
    HDC selectedIn = nullptr;
    bool deletePending = false;
};

BitmapRecord* FindBitmap(HGDIOBJ object);
// A new counted bitmap of the given depth, all black.
HBITMAP AddBitmap(int width, int height, int bits);
int DisplayBits();
// What a bitmap of `bits` keeps of a color.
DWORD KeptColor(DWORD rgb, int bits);
// Stock objects sit at fixed handles; -1 for any other object.
int StockIndex(HGDIOBJ object);
inline constexpr int StockBrushes = 5; // white, light gray, gray, dark gray, black

// What a context draws on: the bitmap selected in a memory context, else the client area of
// its window (null: the screen).
struct DcTarget {
    bool memory;
    HWND window;
    HBITMAP bitmap;
    bool deletesOnShrink; // COLORONCOLOR: one source pixel of each group, not their AND
};
bool FindDcTarget(HDC dc, DcTarget* target);
bool DcAlive(HDC dc);
// The depth that a bitmap compatible with the context gets.
int CompatibleBits(HDC dc);

// The index of the nearest color by squared distance, first of equals.
int NearestColor(DWORD rgb, const DWORD* colors, int count);

void ResetDrawing();
void ResetMemory();

} // namespace polkamoot::fake::gdi
