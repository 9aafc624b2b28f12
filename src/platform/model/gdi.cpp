// Graphics objects and drawing of the model.
//
// A bitmap is 32-bit pixels. A window's context draws on the window's surface, a memory
// context on the bitmap selected into it; the screen's context serves the conversions of
// dib.cpp and tells the density. StretchBlt copies with SRCCOPY, each target pixel from the
// source pixel nearest its centre, clipped to both; FillRect fills with the black brush. A
// bitmap deleted while selected dies when it leaves its context. Every drawing on a window is
// reported to the backend (Painted). As a checked build does, it reports a fault for a context
// deleted while it holds a bitmap of the program's, which real GDI would leak, and for a bitmap
// deleted while selected.
// Not modelled: drawing on the screen, other brushes, raster operations and stretch modes
// (SetStretchBltMode is remembered, nothing more), device capabilities but LOGPIXELSX,
// mirroring by negative sizes, palettes other than the stock default one, pens, fonts, regions.
#include "platform/model/model_internal.h"

#include <algorithm>
#include <map>
#include <utility>

namespace polkamoot {

namespace {

using model::Image;
using model::Kind;

// Stock objects sit at fixed handles and are never counted or deleted.
constexpr std::uintptr_t StockBase = 0x5700;
HGDIOBJ Stock(int index) {
    return reinterpret_cast<HGDIOBJ>(StockBase + static_cast<std::uintptr_t>(index));
}
constexpr int DefaultBitmap = 21; // what a new memory context holds: 1 x 1, black
constexpr int BlackOnWhite = 1;   // the stretch mode a context starts with
constexpr UINT GdiError = 0xFFFFFFFF;

struct BitmapRecord {
    Image image;
    HDC selectedIn = nullptr;
    bool deletePending = false;
};

enum class DcType { Screen, Window, Memory };

struct DcRecord {
    DcType type;
    HWND window;
    HGDIOBJ bitmap;
    int stretchMode = BlackOnWhite;
};

struct Graphics {
    std::map<HGDIOBJ, BitmapRecord> bitmaps;
    BitmapRecord defaultBitmap{Image{1, 1, {0}}};
    std::map<HDC, DcRecord> dcs;
    int dpi = 96;
};

Graphics graphics;

BitmapRecord* FindBitmap(HGDIOBJ object) {
    if (object == Stock(DefaultBitmap)) {
        return &graphics.defaultBitmap;
    }
    auto found = graphics.bitmaps.find(object);
    return found == graphics.bitmaps.end() ? nullptr : &found->second;
}

DcRecord* FindDc(HDC dc) {
    auto found = graphics.dcs.find(dc);
    return found == graphics.dcs.end() ? nullptr : &found->second;
}

HDC AddDc(DcType type, HWND window) {
    auto dc = reinterpret_cast<HDC>(model::NewHandle(Kind::Dc));
    graphics.dcs[dc] =
        DcRecord{type, window, type == DcType::Memory ? Stock(DefaultBitmap) : nullptr};
    return dc;
}

void DeleteBitmap(HGDIOBJ bitmap) {
    graphics.bitmaps.erase(bitmap);
    model::Release(Kind::Bitmap);
}

// A bitmap leaves its context; one deleted while it was there dies now.
void Deselect(HGDIOBJ bitmap) {
    if (bitmap == Stock(DefaultBitmap)) {
        return;
    }
    BitmapRecord* record = FindBitmap(bitmap);
    record->selectedIn = nullptr;
    if (record->deletePending) {
        DeleteBitmap(bitmap);
    }
}

// What a context draws on, and the window to report; no pixels for the screen.
model::Canvas CanvasOf(const DcRecord& dc, HWND* window) {
    *window = nullptr;
    if (dc.type == DcType::Memory) {
        Image& image = FindBitmap(dc.bitmap)->image;
        return model::Canvas{image.width, image.height, image.pixels.data()};
    }
    model::Canvas* surface =
        dc.type == DcType::Window ? model::detail::SurfaceOf(dc.window) : nullptr;
    *window = dc.window;
    return surface ? *surface : model::Canvas{};
}

RECT Clip(RECT rect, const model::Canvas& canvas) {
    rect.left = std::max<LONG>(rect.left, 0);
    rect.top = std::max<LONG>(rect.top, 0);
    rect.right = std::min<LONG>(rect.right, canvas.width);
    rect.bottom = std::min<LONG>(rect.bottom, canvas.height);
    return rect;
}

bool IsEmpty(const RECT& rect) {
    return rect.left >= rect.right || rect.top >= rect.bottom;
}

// Which source index lands on each target index: the one nearest the target pixel's centre.
std::vector<int> Nearest(int targetLength, int sourceLength) {
    std::vector<int> nearest(static_cast<std::size_t>(targetLength));
    for (int i = 0; i < targetLength; ++i) {
        nearest[static_cast<std::size_t>(i)] =
            static_cast<int>((2LL * i + 1) * sourceLength / (2LL * targetLength));
    }
    return nearest;
}

// Which source pixel lands on each target pixel along one axis of a StretchBlt.
struct Axis {
    int target = 0; // the target's first pixel, before clipping
    int source = 0;
    std::vector<int> nearest; // by target pixel from `target`; empty when unscaled
    int Source(int at) const {
        return source +
               (nearest.empty() ? at - target : nearest[static_cast<std::size_t>(at - target)]);
    }
};

// Unscaled, the common case, every target pixel takes its own source pixel.
Axis MakeAxis(int target, int targetLength, int source, int sourceLength) {
    Axis axis{target, source, {}};
    if (targetLength != sourceLength) {
        axis.nearest = Nearest(targetLength, sourceLength);
    }
    return axis;
}

// Target columns first to last (excluded) of one row, from the source row `in`.
void CopyRow(DWORD* out, const DWORD* in, const Axis& columns, int first, int last) {
    if (columns.nearest.empty()) {
        std::copy(in + columns.Source(first), in + columns.Source(last - 1) + 1, out + first);
        return;
    }
    // Held apart from the record, which the pixels written could alias.
    const DWORD* from = in + columns.source;
    const int* column = columns.nearest.data() + (first - columns.target);
    for (DWORD* to = out + first; to < out + last; ++to) {
        *to = from[*column++];
    }
}

} // namespace

namespace model {

void detail::ResetGdi() {
    graphics = Graphics{};
}

bool detail::DcAlive(HDC dc) {
    return FindDc(dc) != nullptr;
}

HBITMAP detail::AddBitmap(Image image) {
    auto bitmap = reinterpret_cast<HBITMAP>(NewHandle(Kind::Bitmap));
    graphics.bitmaps[bitmap] = BitmapRecord{std::move(image)};
    return bitmap;
}

const Image* detail::BitmapPixels(HGDIOBJ bitmap) {
    BitmapRecord* record = FindBitmap(bitmap);
    return record && !record->deletePending ? &record->image : nullptr;
}

HBITMAP MakeBitmap(const Image& image) {
    return detail::AddBitmap(image);
}

Image BitmapImage(HBITMAP bitmap) {
    const Image* image = BitmapAlive(bitmap) ? detail::BitmapPixels(bitmap) : nullptr;
    return image ? *image : Image{};
}

bool BitmapAlive(HBITMAP bitmap) {
    auto found = graphics.bitmaps.find(bitmap);
    return found != graphics.bitmaps.end() && !found->second.deletePending;
}

void SetScreenDpi(int dpi) {
    graphics.dpi = dpi;
}

} // namespace model

HGDIOBJ GetStockObject(int object) {
    return object == BLACK_BRUSH || object == DEFAULT_PALETTE ? Stock(object) : nullptr;
}

HDC GetDC(HWND window) {
    if (backend::ShouldFail("GetDC") || (window && !model::detail::WindowAlive(window))) {
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
    model::Release(Kind::Dc);
    return 1;
}

HDC CreateCompatibleDC(HDC dc) {
    if (backend::ShouldFail("CreateCompatibleDC") || (dc && !FindDc(dc))) {
        return nullptr;
    }
    return AddDc(DcType::Memory, nullptr);
}

// Black, in the model's one format whatever the context.
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
    if (backend::ShouldFail("CreateCompatibleBitmap") || !FindDc(dc) || width <= 0 || height <= 0) {
        return nullptr;
    }
    return model::detail::AddBitmap(
        Image{width, height, std::vector<DWORD>(static_cast<std::size_t>(width) * height)});
}

BOOL DeleteDC(HDC dc) {
    DcRecord* record = FindDc(dc);
    if (!record || record->type != DcType::Memory) {
        return 0;
    }
    HGDIOBJ bitmap = record->bitmap;
    if (bitmap != Stock(DefaultBitmap)) {
        model::detail::Fault("DeleteDC: the context still holds a bitmap");
    }
    graphics.dcs.erase(dc);
    Deselect(bitmap);
    model::Release(Kind::Dc);
    return 1;
}

// Bitmaps into memory contexts only.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    DcRecord* record = FindDc(dc);
    BitmapRecord* bitmap = FindBitmap(object);
    if (!record || record->type != DcType::Memory || !bitmap || bitmap->deletePending ||
        (bitmap->selectedIn && bitmap->selectedIn != dc)) {
        return nullptr;
    }
    HGDIOBJ previous = record->bitmap;
    if (previous != object) {
        Deselect(previous);
        record->bitmap = object;
        if (object != Stock(DefaultBitmap)) {
            bitmap->selectedIn = dc;
        }
    }
    return previous;
}

BOOL DeleteObject(HGDIOBJ object) {
    if (object == Stock(BLACK_BRUSH) || object == Stock(DEFAULT_PALETTE)) {
        return 1;
    }
    auto found = graphics.bitmaps.find(object);
    if (found == graphics.bitmaps.end() || found->second.deletePending) {
        return 0;
    }
    if (found->second.selectedIn) {
        model::detail::Fault("DeleteObject: the bitmap is still selected into a context");
        found->second.deletePending = true;
    } else {
        DeleteBitmap(object);
    }
    return 1;
}

int GetObjectA(HGDIOBJ object, int size, void* description) {
    const model::Image* image = model::detail::BitmapPixels(object);
    if (!image || size < static_cast<int>(sizeof(BITMAP)) || !description) {
        return 0;
    }
    BITMAP result{};
    result.bmWidth = image->width;
    result.bmHeight = image->height;
    result.bmWidthBytes = image->width * 4;
    result.bmPlanes = 1;
    result.bmBitsPixel = 32;
    *static_cast<BITMAP*>(description) = result;
    return sizeof(BITMAP);
}

BOOL StretchBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX,
                int sourceY, int sourceWidth, int sourceHeight, DWORD rop) {
    DcRecord* to = FindDc(target);
    DcRecord* from = FindDc(source);
    if (!to || !from || from->type != DcType::Memory || rop != SRCCOPY || width < 0 || height < 0 ||
        sourceWidth < 0 || sourceHeight < 0) {
        return 0;
    }
    HWND window = nullptr;
    model::Canvas canvas = CanvasOf(*to, &window);
    const Image& pixels = FindBitmap(from->bitmap)->image;
    if (!canvas.pixels || canvas.pixels == pixels.pixels.data()) {
        return 0;
    }
    RECT area = Clip(RECT{x, y, x + width, y + height}, canvas);
    if (IsEmpty(area) || sourceWidth == 0 || sourceHeight == 0) {
        return 1;
    }
    Axis columns = MakeAxis(x, width, sourceX, sourceWidth);
    Axis rows = MakeAxis(y, height, sourceY, sourceHeight);
    // The target columns whose source lies in the bitmap: one run, as the source columns grow.
    int first = area.left;
    int last = area.right;
    while (first < last && columns.Source(first) < 0) {
        ++first;
    }
    while (last > first && columns.Source(last - 1) >= pixels.width) {
        --last;
    }
    const DWORD* previous = nullptr; // the row drawn last, from source row previousSy
    int previousSy = -1;
    for (int ty = area.top; first < last && ty < area.bottom; ++ty) {
        int sy = rows.Source(ty);
        if (sy < 0 || sy >= pixels.height) {
            continue;
        }
        DWORD* out = canvas.pixels + static_cast<std::size_t>(ty) * canvas.width;
        // An enlarged row repeats the one above it.
        if (sy == previousSy) {
            std::copy(previous + first, previous + last, out + first);
        } else {
            CopyRow(out, &pixels.pixels[static_cast<std::size_t>(sy) * pixels.width], columns,
                    first, last);
        }
        previous = out;
        previousSy = sy;
    }
    if (window) {
        backend::Painted(window, area);
    }
    return 1;
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
    DcRecord* record = FindDc(dc);
    if (!record || !rect || brush != Stock(BLACK_BRUSH)) {
        return 0;
    }
    HWND window = nullptr;
    model::Canvas canvas = CanvasOf(*record, &window);
    if (!canvas.pixels) {
        return 0;
    }
    RECT area = Clip(*rect, canvas);
    if (IsEmpty(area)) {
        return 1;
    }
    for (int y = area.top; y < area.bottom; ++y) {
        DWORD* row = canvas.pixels + static_cast<std::size_t>(y) * canvas.width;
        std::fill(row + area.left, row + area.right, 0);
    }
    if (window) {
        backend::Painted(window, area);
    }
    return 1;
}

int GetDeviceCaps(HDC dc, int index) {
    return FindDc(dc) && index == LOGPIXELSX ? graphics.dpi : 0;
}

int SetStretchBltMode(HDC dc, int mode) {
    DcRecord* record = FindDc(dc);
    return record ? std::exchange(record->stretchMode, mode) : 0;
}

HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL) {
    auto stock = static_cast<HPALETTE>(Stock(DEFAULT_PALETTE));
    return FindDc(dc) && palette == stock ? stock : nullptr;
}

UINT RealizePalette(HDC dc) {
    return FindDc(dc) ? 0 : GdiError;
}

} // namespace polkamoot
