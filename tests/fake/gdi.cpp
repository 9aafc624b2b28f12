// The fake's graphics objects and drawing contexts. Drawing is in gdi_draw.cpp, the bitmap
// formats in gdi_dib.cpp, movable memory in memory.cpp.
#include "fake/gdi_internal.h"

#include <algorithm>
#include <map>
#include <utility>

namespace polkamoot {

namespace {

using fake::Kind;
using fake::detail::NewHandle;
using fake::detail::Release;
using fake::detail::ShouldFail;
using fake::gdi::BitmapRecord;
using fake::gdi::StockIndex;

// Stock objects live at fixed handles and are never counted or deleted.
constexpr std::uintptr_t StockBase = 0x5700;
constexpr int StockCount = 22;
constexpr int DefaultBitmap = 21; // what a new memory context holds: 1 x 1, monochrome
constexpr UINT GdiError = 0xFFFFFFFF;

HGDIOBJ Stock(int index) {
    return reinterpret_cast<HGDIOBJ>(StockBase + static_cast<std::uintptr_t>(index));
}

enum class DcType { Screen, Window, Memory };

constexpr int BlackOnWhite = 1; // the stretch mode a context starts with

struct DcRecord {
    DcType type;
    HWND window;
    HBITMAP bitmap;
    HGDIOBJ brush;
    HPALETTE palette;
    int stretchMode = BlackOnWhite;
};

struct Graphics {
    int displayBits = 32;
    std::map<HBITMAP, BitmapRecord> bitmaps;
    BitmapRecord defaultBitmap{1, 1, 1, {0}};
    std::map<HDC, DcRecord> dcs;
    std::vector<fake::PaletteCall> paletteCalls;
};

Graphics graphics;

DcRecord* FindDc(HDC dc) {
    auto found = graphics.dcs.find(dc);
    return found == graphics.dcs.end() ? nullptr : &found->second;
}

HDC AddDc(DcType type, HWND window) {
    auto dc = reinterpret_cast<HDC>(NewHandle(Kind::Dc));
    HBITMAP bitmap = type == DcType::Memory ? static_cast<HBITMAP>(Stock(DefaultBitmap)) : nullptr;
    graphics.dcs[dc] =
        DcRecord{type, window, bitmap, Stock(0), static_cast<HPALETTE>(Stock(DEFAULT_PALETTE))};
    return dc;
}

void DeleteBitmap(HBITMAP bitmap) {
    graphics.bitmaps.erase(bitmap);
    Release(Kind::Bitmap);
}

// A bitmap leaves its context; one deleted while it was there dies now.
void Deselect(HBITMAP bitmap) {
    BitmapRecord* record = StockIndex(bitmap) < 0 ? fake::gdi::FindBitmap(bitmap) : nullptr;
    if (!record) {
        return;
    }
    record->selectedIn = nullptr;
    if (record->deletePending) {
        DeleteBitmap(bitmap);
    }
}

} // namespace

namespace fake {

const DWORD gdi::DefaultPaletteColors[DefaultPaletteSize] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080,
    0xC0C0C0, 0xC0DCC0, 0xA6CAF0, 0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000,
    0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

BitmapRecord* gdi::FindBitmap(HGDIOBJ object) {
    if (StockIndex(object) == DefaultBitmap) {
        return &graphics.defaultBitmap;
    }
    auto found = graphics.bitmaps.find(static_cast<HBITMAP>(object));
    return found == graphics.bitmaps.end() ? nullptr : &found->second;
}

HBITMAP gdi::AddBitmap(int width, int height, int bits) {
    auto bitmap = reinterpret_cast<HBITMAP>(NewHandle(Kind::Bitmap));
    graphics.bitmaps[bitmap] = BitmapRecord{
        width, height, bits, std::vector<DWORD>(static_cast<std::size_t>(width) * height)};
    return bitmap;
}

int gdi::DisplayBits() {
    return graphics.displayBits;
}

DWORD gdi::KeptColor(DWORD rgb, int bits) {
    rgb &= 0xFFFFFF;
    if (bits == 1) {
        const DWORD blackAndWhite[2] = {0, 0xFFFFFF};
        return blackAndWhite[NearestColor(rgb, blackAndWhite, 2)];
    }
    if (bits == 16) {
        DWORD kept = 0;
        for (int shift = 0; shift < 24; shift += 8) {
            DWORD five = (rgb >> (shift + 3)) & 31;
            kept |= (five << 3 | five >> 2) << shift;
        }
        return kept;
    }
    return rgb;
}

int gdi::StockIndex(HGDIOBJ object) {
    auto value = reinterpret_cast<std::uintptr_t>(object);
    return value >= StockBase && value < StockBase + StockCount
               ? static_cast<int>(value - StockBase)
               : -1;
}

bool gdi::FindDcTarget(HDC dc, DcTarget* target) {
    DcRecord* record = FindDc(dc);
    if (!record) {
        return false;
    }
    bool memory = record->type == DcType::Memory;
    *target = DcTarget{memory, record->window, memory ? record->bitmap : nullptr,
                       record->stretchMode == COLORONCOLOR};
    return true;
}

bool gdi::DcAlive(HDC dc) {
    return FindDc(dc) != nullptr;
}

int gdi::CompatibleBits(HDC dc) {
    DcRecord* record = FindDc(dc);
    if (record && record->type == DcType::Memory) {
        return FindBitmap(record->bitmap)->bits;
    }
    return graphics.displayBits;
}

int gdi::NearestColor(DWORD rgb, const DWORD* colors, int count) {
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < count; ++i) {
        long distance = 0;
        for (int shift = 0; shift < 24; shift += 8) {
            long difference = long((rgb >> shift) & 255) - long((colors[i] >> shift) & 255);
            distance += difference * difference;
        }
        if (bestDistance < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

void detail::ResetGdi() {
    graphics = Graphics{};
    gdi::ResetDrawing();
    gdi::ResetMemory();
}

void SetDisplayBits(int bits) {
    graphics.displayBits = bits;
}

DWORD DisplayColor(DWORD rgb) {
    return gdi::KeptColor(rgb, graphics.displayBits);
}

HBITMAP MakeBitmap(const Image& image) {
    HBITMAP bitmap = gdi::AddBitmap(image.width, image.height, graphics.displayBits);
    std::vector<DWORD>& pixels = graphics.bitmaps[bitmap].pixels;
    std::transform(image.pixels.begin(), image.pixels.end(), pixels.begin(), DisplayColor);
    return bitmap;
}

Image BitmapImage(HBITMAP bitmap) {
    BitmapRecord* record = gdi::FindBitmap(bitmap);
    return record ? Image{record->width, record->height, record->pixels} : Image{};
}

bool BitmapAlive(HBITMAP bitmap) {
    auto found = graphics.bitmaps.find(bitmap);
    return found != graphics.bitmaps.end() && !found->second.deletePending;
}

HBITMAP SelectedBitmap(HDC dc) {
    DcRecord* record = FindDc(dc);
    return record ? record->bitmap : nullptr;
}

std::vector<PaletteCall> PaletteCalls() {
    return graphics.paletteCalls;
}

} // namespace fake

HGDIOBJ GetStockObject(int object) {
    return object >= 0 && object < StockCount && object != DefaultBitmap ? Stock(object) : nullptr;
}

HDC GetDC(HWND window) {
    if (ShouldFail("GetDC") || (window && !fake::detail::WindowAlive(window))) {
        return nullptr;
    }
    return AddDc(window ? DcType::Window : DcType::Screen, window);
}

int ReleaseDC(HWND window, HDC dc) {
    DcRecord* record = FindDc(dc);
    if (!record || record->type == DcType::Memory || record->window != window) {
        return 0;
    }
    graphics.dcs.erase(dc);
    Release(Kind::Dc);
    return 1;
}

HDC CreateCompatibleDC(HDC dc) {
    if (ShouldFail("CreateCompatibleDC") || (dc && !FindDc(dc))) {
        return nullptr;
    }
    return AddDc(DcType::Memory, nullptr);
}

BOOL DeleteDC(HDC dc) {
    DcRecord* record = FindDc(dc);
    if (!record || record->type != DcType::Memory) {
        return 0;
    }
    HBITMAP bitmap = record->bitmap;
    graphics.dcs.erase(dc);
    Deselect(bitmap);
    Release(Kind::Dc);
    return 1;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    DcRecord* record = FindDc(dc);
    if (!record) {
        return nullptr;
    }
    int stock = StockIndex(object);
    if (stock >= 0 && stock < fake::gdi::StockBrushes) {
        return std::exchange(record->brush, object);
    }
    BitmapRecord* bitmap = fake::gdi::FindBitmap(object);
    if (!bitmap || bitmap->deletePending || record->type != DcType::Memory) {
        return nullptr;
    }
    auto incoming = static_cast<HBITMAP>(object);
    if (stock < 0 && bitmap->selectedIn && bitmap->selectedIn != dc) {
        return nullptr;
    }
    HBITMAP previous = record->bitmap;
    if (previous != incoming) {
        Deselect(previous);
        record->bitmap = incoming;
        if (stock < 0) {
            bitmap->selectedIn = dc;
        }
    }
    return previous;
}

BOOL DeleteObject(HGDIOBJ object) {
    if (StockIndex(object) >= 0) {
        return 1;
    }
    auto found = graphics.bitmaps.find(static_cast<HBITMAP>(object));
    if (found == graphics.bitmaps.end() || found->second.deletePending) {
        return 0;
    }
    if (found->second.selectedIn) {
        found->second.deletePending = true;
    } else {
        DeleteBitmap(found->first);
    }
    return 1;
}

int GetObjectA(HGDIOBJ object, int size, void* description) {
    BitmapRecord* bitmap = fake::gdi::FindBitmap(object);
    if (!bitmap || (bitmap != &graphics.defaultBitmap && bitmap->deletePending)) {
        return 0;
    }
    if (!description) {
        return sizeof(BITMAP);
    }
    if (size < static_cast<int>(sizeof(BITMAP))) {
        return 0;
    }
    BITMAP result{};
    result.bmWidth = bitmap->width;
    result.bmHeight = bitmap->height;
    result.bmWidthBytes = (bitmap->width * bitmap->bits + 15) / 16 * 2;
    result.bmPlanes = 1;
    result.bmBitsPixel = static_cast<WORD>(bitmap->bits);
    *static_cast<BITMAP*>(description) = result;
    return sizeof(BITMAP);
}

int SetStretchBltMode(HDC dc, int mode) {
    DcRecord* record = FindDc(dc);
    if (!record || (mode != BlackOnWhite && mode != COLORONCOLOR)) {
        return 0;
    }
    return std::exchange(record->stretchMode, mode);
}

HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL forceBackground) {
    DcRecord* record = FindDc(dc);
    if (!record || StockIndex(palette) != DEFAULT_PALETTE) {
        return nullptr;
    }
    graphics.paletteCalls.push_back(fake::PaletteCall{dc, palette, forceBackground, false});
    return std::exchange(record->palette, palette);
}

UINT RealizePalette(HDC dc) {
    if (!FindDc(dc)) {
        return GdiError;
    }
    graphics.paletteCalls.push_back(fake::PaletteCall{dc, nullptr, 0, true});
    return 0;
}

} // namespace polkamoot
