// The recoloring as first described: per byte, two searches of the from-map, low nibble first,
// each nibble mapped at most once. What the byte table is measured against.
#pragma once

#include "platform/platform.h"

#include <cstddef>

namespace polkamoot::reference {

inline BYTE LiteralRecolorByte(BYTE byte, const BYTE* fromMap, const BYTE* toMap, int count) {
    unsigned low = byte & 15;
    unsigned high = byte >> 4;
    for (int k = 0; k < count; ++k) {
        if (static_cast<signed char>(fromMap[k]) == static_cast<int>(low)) {
            low = toMap[k];
            break;
        }
    }
    for (int k = 0; k < count; ++k) {
        if (static_cast<signed char>(fromMap[k]) == static_cast<int>(high)) {
            high = toMap[k];
            break;
        }
    }
    return static_cast<BYTE>(high << 4 | low);
}

inline void LiteralRecolorRows(BYTE* pixels, std::size_t size, const BYTE* fromMap,
                               const BYTE* toMap, int count) {
    for (std::size_t i = 0; i < size; ++i) {
        pixels[i] = LiteralRecolorByte(pixels[i], fromMap, toMap, count);
    }
}

} // namespace polkamoot::reference
