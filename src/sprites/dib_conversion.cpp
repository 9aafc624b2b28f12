#include "sprites/dib_conversion.h"

#include "sprites/standard_colors.h"

#include <cstring>
#include <memory>
#include <new>

namespace polkamoot {

namespace {

bool TakesStandardTable(const BITMAPINFOHEADER& header, WORD colorUse) {
    return header.biBitCount == 4 && header.biCompression == BI_RGB && colorUse == DIB_RGB_COLORS;
}

// The bitmap read at 32 bits, where no platform table stands between a pixel and its color,
// then indexed by color. Returns the rows read, 0 on failure.
int ReadStandardPixels(HDC screen, HBITMAP bitmap, const BITMAPINFOHEADER& header, BYTE* pixels) {
    UINT rows = static_cast<UINT>(header.biHeight);
    std::size_t size = std::size_t{DibRowBytes(TrueColorBits, header.biWidth)} * rows;
    std::unique_ptr<BYTE[]> rgbRows(new (std::nothrow) BYTE[size]());
    if (!rgbRows) {
        return 0;
    }
    BITMAPINFO rgbInfo{};
    rgbInfo.bmiHeader.biSize = header.biSize;
    rgbInfo.bmiHeader.biWidth = header.biWidth;
    rgbInfo.bmiHeader.biHeight = header.biHeight;
    rgbInfo.bmiHeader.biPlanes = header.biPlanes;
    rgbInfo.bmiHeader.biBitCount = TrueColorBits;
    int read = GetDIBits(screen, bitmap, 0, rows, rgbRows.get(), &rgbInfo, DIB_RGB_COLORS);
    // Rows that failed to come are zeros, and the caller drops them.
    IndexRowsByStandardColors(rgbRows.get(), header.biWidth, header.biHeight, pixels);
    return read;
}

// First request: the table. Ours for the standard form; otherwise the platform completes the
// header and fills the table in the block, and the header comes back as completed.
bool CompleteHeader(HDC screen, HBITMAP bitmap, PackedDib dib, WORD colorUse,
                    BITMAPINFOHEADER* header) {
    auto* block = static_cast<BYTE*>(GlobalLock(dib));
    if (!block) {
        return false;
    }
    if (TakesStandardTable(*header, colorUse)) {
        std::memcpy(block + header->biSize, StandardColorTable, sizeof StandardColorTable);
    } else {
        std::memcpy(block, header, sizeof *header);
        GetDIBits(screen, bitmap, 0, static_cast<UINT>(header->biHeight), nullptr,
                  reinterpret_cast<BITMAPINFO*>(block), colorUse);
        std::memcpy(header, block, sizeof *header);
    }
    GlobalUnlock(dib);
    return true;
}

// Second request: the pixel rows into the resized block. Returns the rows read.
int ReadRows(HDC screen, HBITMAP bitmap, PackedDib dib, WORD colorUse,
             const BITMAPINFOHEADER& header) {
    auto* block = static_cast<BYTE*>(GlobalLock(dib));
    if (!block) {
        return 0;
    }
    // The header goes back with the image size it will be read by.
    std::memcpy(block, &header, sizeof header);
    int read = TakesStandardTable(header, colorUse)
                   ? ReadStandardPixels(screen, bitmap, header, DibPixels(block))
                   : GetDIBits(screen, bitmap, 0, static_cast<UINT>(header.biHeight),
                               DibPixels(block), reinterpret_cast<BITMAPINFO*>(block), colorUse);
    GlobalUnlock(dib);
    return read;
}

} // namespace

PackedDib MakeDibFromBitmap(HBITMAP bitmap, HPALETTE palette, WORD bitCount, DWORD compression,
                            WORD colorUse) {
    BITMAP description{};
    if (!GetObjectA(bitmap, sizeof description, &description)) {
        return nullptr;
    }
    if (!palette) {
        palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    }
    if (bitCount == 0) {
        bitCount = static_cast<WORD>(description.bmPlanes * description.bmBitsPixel);
    }
    BITMAPINFOHEADER header{};
    header.biSize = InfoHeaderSize;
    header.biWidth = description.bmWidth;
    header.biHeight = description.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = bitCount;
    header.biCompression = compression;

    PackedDib dib =
        GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, header.biSize + DibColorTableSize(&header));
    if (!dib) {
        return nullptr;
    }
    HDC screen = GetDC(nullptr);
    HPALETTE previous = SelectPalette(screen, palette, 0);
    RealizePalette(screen);

    PackedDib result = nullptr;
    if (CompleteHeader(screen, bitmap, dib, colorUse, &header)) {
        if (header.biSizeImage == 0) {
            header.biSizeImage = DibRowBytes(header.biBitCount, header.biWidth) *
                                 static_cast<DWORD>(description.bmHeight);
        }
        PackedDib resized =
            GlobalReAlloc(dib, header.biSize + DibColorTableSize(&header) + header.biSizeImage, 0);
        if (resized) {
            dib = resized;
            if (ReadRows(screen, bitmap, dib, colorUse, header) != 0) {
                result = dib;
            }
        }
    }
    if (!result) {
        GlobalFree(dib);
    }

    SelectPalette(screen, previous, 1);
    RealizePalette(screen);
    ReleaseDC(nullptr, screen);
    return result;
}

HBITMAP MakeBitmapFromDib(PackedDib dib, HPALETTE palette, WORD colorUse) {
    if (!dib) {
        return nullptr;
    }
    auto* block = static_cast<BYTE*>(GlobalLock(dib));
    if (!block) {
        return nullptr;
    }
    HDC screen = GetDC(nullptr);
    if (!screen) {
        GlobalUnlock(dib);
        return nullptr;
    }
    HPALETTE previous = palette ? SelectPalette(screen, palette, 0) : nullptr;
    RealizePalette(screen);
    HBITMAP bitmap =
        CreateDIBitmap(screen, reinterpret_cast<const BITMAPINFOHEADER*>(block), CBM_INIT,
                       DibPixels(block), reinterpret_cast<const BITMAPINFO*>(block), colorUse);
    if (previous) {
        SelectPalette(screen, previous, 0);
    }
    ReleaseDC(nullptr, screen);
    GlobalUnlock(dib);
    return bitmap;
}

} // namespace polkamoot
