#include "sprites/standard_colors.h"

#include "sprites/packed_dib.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace polkamoot {

namespace {

// An entry stores blue first; the reserved byte stays zero.
constexpr RGBQUAD Color(BYTE red, BYTE green, BYTE blue) {
    return {blue, green, red, {}};
}

} // namespace

const RGBQUAD StandardColorTable[StandardColorCount] = {
    Color(0, 0, 0),       Color(128, 0, 0),   Color(0, 128, 0),   Color(128, 128, 0),
    Color(0, 0, 128),     Color(128, 0, 128), Color(0, 128, 128), Color(192, 192, 192),
    Color(128, 128, 128), Color(255, 0, 0),   Color(0, 255, 0),   Color(255, 255, 0),
    Color(0, 0, 255),     Color(255, 0, 255), Color(0, 255, 255), Color(255, 255, 255),
};

BYTE NearestStandardColor(BYTE red, BYTE green, BYTE blue) {
    auto distance = [&](const RGBQUAD& entry) {
        int r = red - entry.rgbRed;
        int g = green - entry.rgbGreen;
        int b = blue - entry.rgbBlue;
        return r * r + g * g + b * b;
    };
    // The first of equally near entries wins.
    const RGBQUAD* nearest = std::min_element(
        std::begin(StandardColorTable), std::end(StandardColorTable),
        [&](const RGBQUAD& a, const RGBQUAD& b) { return distance(a) < distance(b); });
    return static_cast<BYTE>(nearest - StandardColorTable);
}

void IndexRowsByStandardColors(const BYTE* rgbRows, LONG width, LONG rows, BYTE* indexRows) {
    // A frame holds a handful of distinct colors, each searched for once through a small memo
    // slotted by multiplicative hash. All zero is a valid start, black being entry 0.
    constexpr int MemoSize = 256;
    DWORD memoColor[MemoSize] = {};
    BYTE memoValue[MemoSize] = {};

    DWORD rgbStride = DibRowBytes(TrueColorBits, width);
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
