// The fake's graphics objects, drawing contexts and drawing. The bitmap formats are in
// gdi_dib.cpp, movable memory in memory.cpp.
#include "fake/gdi_internal.h"

#include <algorithm>
#include <map>
#include <utility>

namespace polkamoot {

namespace {

using fake::Image;
using fake::Kind;
using fake::detail::NewHandle;
using fake::detail::Release;
using fake::detail::ShouldFail;
using fake::gdi::BitmapRecord;

// Stock objects live at fixed handles and are never counted or deleted.
constexpr std::uintptr_t StockBase = 0x5700;
constexpr int StockCount = 22;
constexpr int DefaultBitmap = 21; // what a new memory context holds: 1 x 1, monochrome
constexpr int StockBrushes = 5;   // white, light gray, gray, dark gray, black
constexpr DWORD StockBrushColors[StockBrushes] = {0xFFFFFF, 0xC0C0C0, 0x808080, 0x404040, 0};
constexpr UINT GdiError = 0xFFFFFFFF;

int StockIndex(HGDIOBJ object) {
    auto value = reinterpret_cast<std::uintptr_t>(object);
    return value >= StockBase && value < StockBase + StockCount
               ? static_cast<int>(value - StockBase)
               : -1;
}

HGDIOBJ Stock(int index) {
    return reinterpret_cast<HGDIOBJ>(StockBase + static_cast<std::uintptr_t>(index));
}

enum class DcType { Screen, Window, Memory };

struct DcRecord {
    DcType type;
    HWND window;
    HBITMAP bitmap;
    HGDIOBJ brush;
    HPALETTE palette;
};

struct SurfaceRecord {
    int width = 0;
    int height = 0;
    int bits = 32;
    std::vector<DWORD> pixels;
};

struct Canvas {
    int width = 0;
    int height = 0;
    int bits = 32;
    DWORD* pixels = nullptr;
};

struct Graphics {
    int displayBits = 32;
    std::map<HBITMAP, BitmapRecord> bitmaps;
    BitmapRecord defaultBitmap{1, 1, 1, {0}};
    std::map<HDC, DcRecord> dcs;
    std::map<HWND, SurfaceRecord> surfaces; // null: the screen
    std::vector<fake::DrawCall> drawCalls;
    std::vector<fake::PaletteCall> paletteCalls;
};

Graphics graphics;

DcRecord* FindDc(HDC dc) {
    auto found = graphics.dcs.find(dc);
    return found == graphics.dcs.end() ? nullptr : &found->second;
}

RECT ClientArea(HWND window) {
    if (!window) {
        return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    return fake::detail::ClientRect(window);
}

// Sized to the client area as it is now; what was drawn stays where it still fits.
SurfaceRecord& SurfaceOf(HWND window) {
    SurfaceRecord& surface = graphics.surfaces[window];
    RECT area = ClientArea(window);
    int width = std::max<LONG>(area.right - area.left, 0);
    int height = std::max<LONG>(area.bottom - area.top, 0);
    if (surface.width != width || surface.height != height) {
        std::vector<DWORD> pixels(static_cast<std::size_t>(width) * height);
        for (int y = 0; y < std::min(height, surface.height); ++y) {
            std::copy_n(&surface.pixels[static_cast<std::size_t>(y) * surface.width],
                        std::min(width, surface.width),
                        &pixels[static_cast<std::size_t>(y) * width]);
        }
        surface = SurfaceRecord{width, height, graphics.displayBits, std::move(pixels)};
    }
    return surface;
}

Canvas CanvasOf(const DcRecord& dc) {
    if (dc.type == DcType::Memory) {
        BitmapRecord* bitmap = fake::gdi::FindBitmap(dc.bitmap);
        return Canvas{bitmap->width, bitmap->height, bitmap->bits, bitmap->pixels.data()};
    }
    SurfaceRecord& surface = SurfaceOf(dc.window);
    return Canvas{surface.width, surface.height, surface.bits, surface.pixels.data()};
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

// Which source indices land on each target index: one each when growing (the nearest to the
// target pixel's centre); when shrinking, every source whose centre falls in the target pixel.
struct Span {
    int first;
    int last;
};

std::vector<Span> SourceSpans(int targetLength, int sourceLength) {
    std::vector<Span> spans(static_cast<std::size_t>(targetLength), Span{0, -1});
    if (targetLength >= sourceLength) {
        for (int i = 0; i < targetLength; ++i) {
            int s = static_cast<int>((2LL * i + 1) * sourceLength / (2LL * targetLength));
            spans[static_cast<std::size_t>(i)] = Span{s, s};
        }
        return spans;
    }
    for (int s = 0; s < sourceLength; ++s) {
        auto i = static_cast<std::size_t>((2LL * s + 1) * targetLength / (2LL * sourceLength));
        if (spans[i].last < spans[i].first) {
            spans[i].first = s;
        }
        spans[i].last = s;
    }
    return spans;
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

HPALETTE gdi::DcPalette(HDC dc) {
    DcRecord* record = FindDc(dc);
    return record ? record->palette : nullptr;
}

bool gdi::IsDefaultPalette(HGDIOBJ object) {
    return StockIndex(object) == DEFAULT_PALETTE;
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

Image Surface(HWND window) {
    if (window && !detail::WindowAlive(window)) {
        auto found = graphics.surfaces.find(window);
        return found == graphics.surfaces.end()
                   ? Image{}
                   : Image{found->second.width, found->second.height, found->second.pixels};
    }
    SurfaceRecord& surface = SurfaceOf(window);
    return Image{surface.width, surface.height, surface.pixels};
}

DWORD SurfacePixel(HWND window, int x, int y) {
    return Surface(window).At(x, y);
}

std::vector<DrawCall> DrawCalls() {
    return graphics.drawCalls;
}

void ClearDrawCalls() {
    graphics.drawCalls.clear();
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
    if (stock >= 0 && stock < StockBrushes) {
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

BOOL StretchBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX,
                int sourceY, int sourceWidth, int sourceHeight, DWORD rop) {
    DcRecord* to = FindDc(target);
    DcRecord* from = FindDc(source);
    if (!to || !from || rop != SRCCOPY || width < 0 || height < 0 || sourceWidth < 0 ||
        sourceHeight < 0) {
        return 0;
    }
    graphics.drawCalls.push_back(fake::DrawCall{
        fake::DrawOp::StretchBlt, target, to->window,
        to->type == DcType::Memory ? to->bitmap : nullptr, RECT{x, y, x + width, y + height},
        from->type == DcType::Memory ? from->bitmap : nullptr,
        RECT{sourceX, sourceY, sourceX + sourceWidth, sourceY + sourceHeight}});
    if (width == 0 || height == 0 || sourceWidth == 0 || sourceHeight == 0) {
        return 1;
    }
    Canvas canvas = CanvasOf(*to);
    Canvas sourceCanvas = CanvasOf(*from);
    // Read from a copy: source and target may be one canvas.
    std::vector<DWORD> sourcePixels(
        sourceCanvas.pixels,
        sourceCanvas.pixels + static_cast<std::size_t>(sourceCanvas.width) * sourceCanvas.height);
    std::vector<Span> columns = SourceSpans(width, sourceWidth);
    std::vector<Span> rows = SourceSpans(height, sourceHeight);
    for (int ty = std::max(y, 0); ty < std::min(y + height, canvas.height); ++ty) {
        const Span& row = rows[static_cast<std::size_t>(ty - y)];
        for (int tx = std::max(x, 0); tx < std::min(x + width, canvas.width); ++tx) {
            const Span& column = columns[static_cast<std::size_t>(tx - x)];
            DWORD combined = 0xFFFFFF;
            bool any = false;
            for (int sy = sourceY + row.first; sy <= sourceY + row.last; ++sy) {
                for (int sx = sourceX + column.first; sx <= sourceX + column.last; ++sx) {
                    if (sx >= 0 && sy >= 0 && sx < sourceCanvas.width && sy < sourceCanvas.height) {
                        combined &=
                            sourcePixels[static_cast<std::size_t>(sy) * sourceCanvas.width + sx];
                        any = true;
                    }
                }
            }
            if (any) {
                canvas.pixels[static_cast<std::size_t>(ty) * canvas.width + tx] =
                    fake::gdi::KeptColor(combined, canvas.bits);
            }
        }
    }
    return 1;
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
    DcRecord* record = FindDc(dc);
    int stock = StockIndex(brush);
    if (!record || !rect || stock < 0 || stock >= StockBrushes) {
        return 0;
    }
    graphics.drawCalls.push_back(fake::DrawCall{
        fake::DrawOp::FillRect, dc, record->window,
        record->type == DcType::Memory ? record->bitmap : nullptr, *rect, nullptr, RECT{}});
    Canvas canvas = CanvasOf(*record);
    DWORD color = fake::gdi::KeptColor(StockBrushColors[stock], canvas.bits);
    for (int y = std::max<LONG>(rect->top, 0); y < std::min<LONG>(rect->bottom, canvas.height);
         ++y) {
        for (int x = std::max<LONG>(rect->left, 0); x < std::min<LONG>(rect->right, canvas.width);
             ++x) {
            canvas.pixels[static_cast<std::size_t>(y) * canvas.width + x] = color;
        }
    }
    return 1;
}

HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL forceBackground) {
    DcRecord* record = FindDc(dc);
    if (!record || !fake::gdi::IsDefaultPalette(palette)) {
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
