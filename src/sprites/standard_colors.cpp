#include "sprites/standard_colors.h"

#include "sprites/packed_dib.h"

#include <cstring>

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
    DWORD rgbStride = DibRowBytes(32, width);
    DWORD indexStride = DibRowBytes(4, width);
    for (LONG y = 0; y < rows; ++y) {
        const BYTE* in = rgbRows + y * rgbStride;
        BYTE* out = indexRows + y * indexStride;
        std::memset(out, 0, indexStride);
        for (LONG x = 0; x < width; ++x, in += 4) {
            BYTE value = NearestStandardColor(in[2], in[1], in[0]);
            out[x / 2] |= static_cast<BYTE>(x % 2 == 0 ? value << 4 : value);
        }
    }
}

} // namespace polkamoot
