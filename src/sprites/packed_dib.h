// A device-independent bitmap packed into one movable memory block: a header (40-byte info
// or 12-byte core), a color table and the pixel rows, all little-endian. The readers take the
// address of a locked block and look at nothing but its header.
#pragma once

#include "platform/platform.h"

namespace polkamoot {

using PackedDib = HGLOBAL;

inline constexpr DWORD InfoHeaderSize = 40;
inline constexpr DWORD CoreHeaderSize = 12;

WORD DibColorCount(const void* dib);
// Wider than the count: a corrupt colors-used value must not wrap the pixel offset.
DWORD DibColorTableSize(const void* dib);
WORD DibBitCount(const void* dib);
LONG DibImageWidth(const void* dib);
LONG DibImageHeight(const void* dib);
BYTE* DibPixels(void* dib);

// Bytes per pixel row: rows are padded to whole 32-bit words.
DWORD DibRowBytes(WORD bitCount, LONG width);

} // namespace polkamoot
