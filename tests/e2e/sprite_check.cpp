// Recolors sprite frames on the real GDI and reads them back by color. Frames drawn in code
// always, and the product's ten frames from this program's own resources when it carries them.
// Prints lines of key=value words; exits 0 when it ran to the end.
#include "sprites/color_maps.h"
#include "sprites/dib_conversion.h"
#include "sprites/recolor.h"
#include "sprites/standard_colors.h"

#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace {

namespace pk = polkamoot;

struct Frame {
    std::string name;
    HBITMAP bitmap;
    int width;
    int height;
};

DWORD StandardRgb(int value) {
    const pk::RGBQUAD& entry = pk::StandardColorTable[value];
    return DWORD{entry.rgbRed} << 16 | DWORD{entry.rgbGreen} << 8 | entry.rgbBlue;
}

BYTE StandardValue(DWORD rgb) {
    return pk::NearestStandardColor(BYTE(rgb >> 16), BYTE(rgb >> 8), BYTE(rgb));
}

BITMAPINFO TopDown32(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    return info;
}

// The pixels as the display keeps them, top row first.
std::vector<DWORD> Pixels(HDC screen, HBITMAP bitmap, int width, int height) {
    std::vector<DWORD> pixels(std::size_t(width) * height);
    BITMAPINFO info = TopDown32(width, height);
    GetDIBits(screen, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    for (DWORD& pixel : pixels) {
        pixel &= 0xFFFFFF;
    }
    return pixels;
}

HBITMAP FromPixels(HDC screen, const std::vector<DWORD>& pixels, int width, int height) {
    BITMAPINFO info = TopDown32(width, height);
    return CreateDIBitmap(screen, &info.bmiHeader, CBM_INIT, pixels.data(), &info, DIB_RGB_COLORS);
}

// What the display shows of exact colors: through a bitmap of its own format.
std::vector<DWORD> AsDisplayed(HDC screen, const std::vector<DWORD>& pixels, int width,
                               int height) {
    HBITMAP bitmap = FromPixels(screen, pixels, width, height);
    std::vector<DWORD> shown = Pixels(screen, bitmap, width, height);
    DeleteObject(bitmap);
    return shown;
}

// Black and the four role colors of map 0; with `others`, a few that no coloring takes
// from map 0 (but later swaps may: blue and dark blue stand in maps 1 and 3).
Frame DrawnFrame(HDC screen, const char* name, int width, int height, bool others) {
    const int values[] = {0, 9, 1, 10, 2, 12, 7, 8, 15, 4, 14};
    int count = others ? 11 : 5;
    std::vector<DWORD> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels.push_back(StandardRgb(values[(x * 3 + y * 5 + x * y % 7) % count]));
        }
    }
    return Frame{name, FromPixels(screen, pixels, width, height), width, height};
}

std::vector<DWORD> ExpectedRecoloring(const std::vector<DWORD>& original, int from, int to) {
    std::vector<DWORD> expected = original;
    for (DWORD& pixel : expected) {
        BYTE value = StandardValue(pixel);
        for (int k = 0; k < 4; ++k) {
            if (pk::ColorMaps[from][k] == value) {
                pixel = StandardRgb(pk::ColorMaps[to][k]);
                break;
            }
        }
    }
    return expected;
}

int Mismatches(const std::vector<DWORD>& a, const std::vector<DWORD>& b) {
    if (a.size() != b.size()) {
        return int(a.size() + b.size());
    }
    int count = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        count += a[i] != b[i];
    }
    return count;
}

// The 4-bit values of a packed image, top row first; -1 where a pixel is missing.
std::vector<int> Values(pk::PackedDib dib, int width, int height) {
    std::vector<int> values(std::size_t(width) * height, -1);
    auto* header = static_cast<BYTE*>(GlobalLock(dib));
    if (!header) {
        return values;
    }
    const BYTE* rows = pk::DibPixels(header);
    pk::DWORD stride = pk::DibRowBytes(4, width);
    for (int y = 0; y < height; ++y) {
        const BYTE* row = rows + std::size_t(stride) * (height - 1 - y);
        for (int x = 0; x < width; ++x) {
            values[std::size_t(y) * width + x] = x % 2 ? row[x / 2] & 15 : row[x / 2] >> 4;
        }
    }
    GlobalUnlock(dib);
    return values;
}

void CheckValues(const Frame& frame, const std::vector<DWORD>& original) {
    pk::PackedDib dib = pk::MakeDibFromBitmap(frame.bitmap, nullptr, 4, BI_RGB, DIB_RGB_COLORS);
    std::vector<int> values = Values(dib, frame.width, frame.height);
    GlobalFree(dib);
    int mismatches = 0;
    std::set<int> seen;
    for (std::size_t i = 0; i < values.size(); ++i) {
        mismatches += values[i] != StandardValue(original[i]);
        seen.insert(values[i]);
    }
    std::string list;
    for (int value : seen) {
        list += (list.empty() ? "" : ",") + std::to_string(value);
    }
    std::printf("values frame=%s made=%d mismatches=%d seen=%s\n", frame.name.c_str(),
                dib != nullptr, mismatches, list.c_str());
}

void CheckColorings(HDC screen, const Frame& frame, const std::vector<DWORD>& original) {
    for (int to = 0; to < pk::ColorMapCount; ++to) {
        HBITMAP recolored = pk::RecolorBitmap(frame.bitmap, pk::ColorMaps[0], pk::ColorMaps[to], 4);
        std::vector<DWORD> got = Pixels(screen, recolored, frame.width, frame.height);
        std::vector<DWORD> expected =
            AsDisplayed(screen, ExpectedRecoloring(original, 0, to), frame.width, frame.height);
        std::printf("recolor frame=%s map=%d made=%d pixels=%zu mismatches=%d unchanged=%d\n",
                    frame.name.c_str(), to, recolored != nullptr, got.size(),
                    Mismatches(expected, got), Mismatches(original, got) == 0);
        DeleteObject(recolored);
    }
}

// Only for frames of black and the role colors: other colors may be exchanged by a later swap.
void CheckChain(HDC screen, const Frame& frame) {
    HBITMAP yellow = pk::RecolorBitmap(frame.bitmap, pk::ColorMaps[0], pk::ColorMaps[3], 4);
    HBITMAP cyan = pk::RecolorBitmap(yellow, pk::ColorMaps[3], pk::ColorMaps[5], 4);
    HBITMAP direct = pk::RecolorBitmap(frame.bitmap, pk::ColorMaps[0], pk::ColorMaps[5], 4);
    std::printf("chain frame=%s mismatches=%d\n", frame.name.c_str(),
                Mismatches(Pixels(screen, direct, frame.width, frame.height),
                           Pixels(screen, cyan, frame.width, frame.height)));
    DeleteObject(yellow);
    DeleteObject(cyan);
    DeleteObject(direct);
}

void CheckConversions(HDC screen, const Frame& frame, const std::vector<DWORD>& original) {
    for (WORD bits : {8, 24, 32}) {
        pk::PackedDib dib =
            pk::MakeDibFromBitmap(frame.bitmap, nullptr, bits, BI_RGB, DIB_RGB_COLORS);
        HBITMAP back = pk::MakeBitmapFromDib(dib, nullptr, DIB_RGB_COLORS);
        std::printf("conversion frame=%s bits=%d made=%d mismatches=%d\n", frame.name.c_str(), bits,
                    back != nullptr,
                    Mismatches(original, Pixels(screen, back, frame.width, frame.height)));
        DeleteObject(back);
        GlobalFree(dib);
    }
}

// Fifty recolorings, as a setup of five bears makes; reported, never judged.
void TimeSetup(const Frame& frame) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < 50; ++i) {
        DeleteObject(pk::RecolorBitmap(frame.bitmap, pk::ColorMaps[0], pk::ColorMaps[i % 5], 4));
    }
    QueryPerformanceCounter(&end);
    std::printf("timing frames=50 microseconds=%lld\n",
                (end.QuadPart - start.QuadPart) * 1000000 / frequency.QuadPart);
}

} // namespace

int main() {
    HDC screen = GetDC(nullptr);
    std::printf("display bits=%d\n", GetDeviceCaps(screen, BITSPIXEL));
    std::vector<Frame> frames = {DrawnFrame(screen, "drawn", 148, 127, true),
                                 DrawnFrame(screen, "drawn_odd", 37, 11, true),
                                 DrawnFrame(screen, "drawn_roles", 148, 127, false)};
    int stored = 0;
    for (const char* side : {"R", "L"}) {
        for (int number = 1; number <= 5; ++number) {
            std::string name = "bear" + std::to_string(number) + side;
            HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), name.c_str());
            if (bitmap) {
                BITMAP description{};
                GetObjectA(bitmap, sizeof description, &description);
                frames.push_back(Frame{name, bitmap, description.bmWidth, description.bmHeight});
                ++stored;
            }
        }
    }
    std::printf("stored frames=%d\n", stored);
    for (const Frame& frame : frames) {
        std::vector<DWORD> original = Pixels(screen, frame.bitmap, frame.width, frame.height);
        CheckValues(frame, original);
        CheckColorings(screen, frame, original);
        if (frame.name == "drawn") {
            CheckConversions(screen, frame, original);
            TimeSetup(frame);
        }
        if (frame.name == "drawn_roles") {
            CheckChain(screen, frame);
        }
        DeleteObject(frame.bitmap);
    }
    ReleaseDC(nullptr, screen);
    std::printf("done\n");
    std::fflush(stdout);
    return 0;
}
