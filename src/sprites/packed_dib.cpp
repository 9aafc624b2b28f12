#include "sprites/packed_dib.h"

#include <algorithm>
#include <cstdint>

namespace polkamoot {

namespace {

bool IsInfoHeader(const void* dib) {
    return ReadDword(dib, 0) == InfoHeaderSize;
}

} // namespace

WORD DibBitCount(const void* dib) {
    return ReadWord(dib, IsInfoHeader(dib) ? 14 : 10);
}

WORD DibColorCount(const void* dib) {
    if (IsInfoHeader(dib)) {
        DWORD colorsUsed = ReadDword(dib, 32);
        if (colorsUsed != 0) {
            return static_cast<WORD>(colorsUsed);
        }
    }
    switch (DibBitCount(dib)) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

DWORD DibColorTableSize(const void* dib) {
    return DWORD{DibColorCount(dib)} * (IsInfoHeader(dib) ? 4 : 3);
}

LONG DibImageWidth(const void* dib) {
    return IsInfoHeader(dib) ? static_cast<LONG>(ReadDword(dib, 4)) : ReadWord(dib, 4);
}

LONG DibImageHeight(const void* dib) {
    return IsInfoHeader(dib) ? static_cast<LONG>(ReadDword(dib, 8)) : ReadWord(dib, 6);
}

BYTE* DibPixels(void* dib) {
    return static_cast<BYTE*>(dib) + ReadDword(dib, 0) + DibColorTableSize(dib);
}

DWORD DibRowBytes(WORD bitCount, LONG width) {
    std::int64_t bits = std::max(std::int64_t{bitCount} * width, std::int64_t{0});
    return static_cast<DWORD>(((bits + 31) & ~std::int64_t{31}) / 8);
}

} // namespace polkamoot
