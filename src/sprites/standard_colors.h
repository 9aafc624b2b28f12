// The sixteen colors in the order in which every 4-bit pixel value of the recoloring is read,
// and the conversion of true-color rows into positions of that table.
#pragma once

#include "platform/platform.h"

namespace polkamoot {

inline constexpr int StandardColorCount = 16;
inline constexpr WORD TrueColorBits = 32; // the depth at which a pixel is its own color
extern const RGBQUAD StandardColorTable[StandardColorCount];

// The position of the nearest table color by squared distance; the first of equals wins.
BYTE NearestStandardColor(BYTE red, BYTE green, BYTE blue);

// Rows of 32-bit pixels (blue, green, red, unused) into rows of 4-bit table positions, both
// padded as DibRowBytes says and in the same row order. Padding comes out zero.
void IndexRowsByStandardColors(const BYTE* rgbRows, LONG width, LONG rows, BYTE* indexRows);

} // namespace polkamoot
