// Drawing in the fake: window and screen surfaces, StretchBlt and FillRect, and their log.
#include "fake/gdi_internal.h"

#include <algorithm>
#include <map>

namespace polkamoot {

namespace {

using fake::Image;
using fake::gdi::BitmapRecord;
using fake::gdi::DcTarget;

constexpr DWORD StockBrushColors[fake::gdi::StockBrushes] = {0xFFFFFF, 0xC0C0C0, 0x808080, 0x404040,
                                                             0};

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

    DWORD& At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

std::map<HWND, SurfaceRecord> surfaces; // null: the screen
std::vector<fake::DrawCall> drawCalls;

RECT ClientArea(HWND window) {
    if (!window) {
        return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    return fake::detail::ClientRect(window);
}

// Sized to the client area as it is now; what was drawn stays where it still fits.
SurfaceRecord& SurfaceOf(HWND window) {
    SurfaceRecord& surface = surfaces[window];
    RECT area = ClientArea(window);
    int width = std::max<LONG>(area.right - area.left, 0);
    int height = std::max<LONG>(area.bottom - area.top, 0);
    if (surface.width != width || surface.height != height) {
        SurfaceRecord resized{width, height, fake::gdi::DisplayBits(),
                              std::vector<DWORD>(static_cast<std::size_t>(width) * height)};
        for (int y = 0; y < std::min(height, surface.height); ++y) {
            std::copy_n(&surface.pixels[static_cast<std::size_t>(y) * surface.width],
                        std::min(width, surface.width),
                        &resized.pixels[static_cast<std::size_t>(y) * width]);
        }
        surface = std::move(resized);
    }
    return surface;
}

Canvas CanvasOf(const DcTarget& target) {
    if (target.memory) {
        BitmapRecord* bitmap = fake::gdi::FindBitmap(target.bitmap);
        return Canvas{bitmap->width, bitmap->height, bitmap->bits, bitmap->pixels.data()};
    }
    SurfaceRecord& surface = SurfaceOf(target.window);
    return Canvas{surface.width, surface.height, surface.bits, surface.pixels.data()};
}

// Which source indices land on each target index: one each when growing or deleting (the
// nearest to the target pixel's centre); when shrinking, every source whose centre falls in
// the target pixel.
struct Span {
    int first;
    int last;
};

std::vector<Span> SourceSpans(int targetLength, int sourceLength, bool deletes) {
    std::vector<Span> spans(static_cast<std::size_t>(targetLength), Span{0, -1});
    if (targetLength >= sourceLength || deletes) {
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

// The pixels that land on one target pixel, combined with AND; false if all lie outside.
bool Combine(const Canvas& source, const std::vector<DWORD>& pixels, int x, int y,
             const Span& columns, const Span& rows, DWORD* combined) {
    bool any = false;
    *combined = 0xFFFFFF;
    for (int sy = y + rows.first; sy <= y + rows.last; ++sy) {
        for (int sx = x + columns.first; sx <= x + columns.last; ++sx) {
            if (sx >= 0 && sy >= 0 && sx < source.width && sy < source.height) {
                *combined &= pixels[static_cast<std::size_t>(sy) * source.width + sx];
                any = true;
            }
        }
    }
    return any;
}

} // namespace

namespace fake {

void gdi::ResetDrawing() {
    surfaces.clear();
    drawCalls.clear();
}

Image Surface(HWND window) {
    if (window && !detail::WindowAlive(window)) {
        auto found = surfaces.find(window);
        return found == surfaces.end()
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
    return drawCalls;
}

void ClearDrawCalls() {
    drawCalls.clear();
}

} // namespace fake

BOOL StretchBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX,
                int sourceY, int sourceWidth, int sourceHeight, DWORD rop) {
    DcTarget to, from;
    if (!fake::gdi::FindDcTarget(target, &to) || !fake::gdi::FindDcTarget(source, &from) ||
        rop != SRCCOPY || width < 0 || height < 0 || sourceWidth < 0 || sourceHeight < 0) {
        return 0;
    }
    drawCalls.push_back(fake::DrawCall{
        fake::DrawOp::StretchBlt, target, to.window, to.bitmap, RECT{x, y, x + width, y + height},
        from.bitmap, RECT{sourceX, sourceY, sourceX + sourceWidth, sourceY + sourceHeight}});
    if (width == 0 || height == 0 || sourceWidth == 0 || sourceHeight == 0) {
        return 1;
    }
    Canvas canvas = CanvasOf(to);
    Canvas sourceCanvas = CanvasOf(from);
    // Read from a copy: source and target may be one canvas.
    std::vector<DWORD> sourcePixels(
        sourceCanvas.pixels,
        sourceCanvas.pixels + static_cast<std::size_t>(sourceCanvas.width) * sourceCanvas.height);
    std::vector<Span> columns = SourceSpans(width, sourceWidth, to.deletesOnShrink);
    std::vector<Span> rows = SourceSpans(height, sourceHeight, to.deletesOnShrink);
    for (int ty = std::max(y, 0); ty < std::min(y + height, canvas.height); ++ty) {
        for (int tx = std::max(x, 0); tx < std::min(x + width, canvas.width); ++tx) {
            DWORD combined;
            if (Combine(sourceCanvas, sourcePixels, sourceX, sourceY,
                        columns[static_cast<std::size_t>(tx - x)],
                        rows[static_cast<std::size_t>(ty - y)], &combined)) {
                canvas.At(tx, ty) = fake::gdi::KeptColor(combined, canvas.bits);
            }
        }
    }
    return 1;
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
    DcTarget target;
    int stock = fake::gdi::StockIndex(brush);
    if (!fake::gdi::FindDcTarget(dc, &target) || !rect || stock < 0 ||
        stock >= fake::gdi::StockBrushes) {
        return 0;
    }
    drawCalls.push_back(fake::DrawCall{fake::DrawOp::FillRect, dc, target.window, target.bitmap,
                                       *rect, nullptr, RECT{}});
    Canvas canvas = CanvasOf(target);
    DWORD color = fake::gdi::KeptColor(StockBrushColors[stock], canvas.bits);
    for (int y = std::max<LONG>(rect->top, 0); y < std::min<LONG>(rect->bottom, canvas.height);
         ++y) {
        for (int x = std::max<LONG>(rect->left, 0); x < std::min<LONG>(rect->right, canvas.width);
             ++x) {
            canvas.At(x, y) = color;
        }
    }
    return 1;
}

} // namespace polkamoot
