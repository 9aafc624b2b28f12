#include "sprites/standard_colors.h"

#include "sprites/packed_dib.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace polkamoot {

// Stored blue, green, red as the platform's table entries are.
const RGBQUAD StandardColorTable[StandardColorCount] = {
    {0, 0, 0, 0},       {0, 0, 128, 0},   {0, 128, 0, 0},   {0, 128, 128, 0},
    {128, 0, 0, 0},     {128, 0, 128, 0}, {128, 128, 0, 0}, {192, 192, 192, 0},
    {128, 128, 128, 0}, {0, 0, 255, 0},   {0, 255, 0, 0},   {0, 255, 255, 0},
    {255, 0, 0, 0},     {255, 0, 255, 0}, {255, 255, 0, 0}, {255, 255, 255, 0},
};

BYTE NearestStandardColor(BYTE red, BYTE green, BYTE blue) {
    int best = 0;
    int bestDistance = 3 * 255 * 255 + 1;
    for (int i = 0; i < StandardColorCount; ++i) {
        const RGBQUAD& entry = StandardColorTable[i];
        int r = red - entry.rgbRed;
        int g = green - entry.rgbGreen;
        int b = blue - entry.rgbBlue;
        int distance = r * r + g * g + b * b;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return static_cast<BYTE>(best);
}

void IndexRowsByStandardColors(const BYTE* rgbRows, LONG width, LONG rows, BYTE* indexRows) {
    // A frame holds a handful of distinct colors, so each is searched for once: a small
    // direct-mapped memo of colors already placed (keys are 24-bit, so all ones is empty).
    constexpr int MemoSize = 256;
    DWORD memoColor[MemoSize];
    BYTE memoValue[MemoSize];
    std::fill(std::begin(memoColor), std::end(memoColor), 0xFFFFFFFF);

    DWORD rgbStride = DibRowBytes(32, width);
    DWORD indexStride = DibRowBytes(4, width);
    for (LONG y = 0; y < rows; ++y) {
        const BYTE* in = rgbRows + std::size_t{rgbStride} * y;
        BYTE* out = indexRows + std::size_t{indexStride} * y;
        std::memset(out, 0, indexStride);
        for (LONG x = 0; x < width; ++x, in += 4) {
            DWORD color = DWORD{in[2]} << 16 | DWORD{in[1]} << 8 | in[0];
            unsigned slot = (color * 2654435761u) >> 24;
            if (memoColor[slot] != color) {
                memoColor[slot] = color;
                memoValue[slot] = NearestStandardColor(in[2], in[1], in[0]);
            }
            out[x / 2] |= static_cast<BYTE>(x % 2 == 0 ? memoValue[slot] << 4 : memoValue[slot]);
        }
    }
}

} // namespace polkamoot
