// The one pass over 4-bit pixel bytes that exchanges the values of one color map for those of
// another. Each nibble is looked up among the first `count` entries of fromMap and, at the first
// equal entry, replaced by the whole byte at the same position of toMap; a nibble found nowhere
// stays. Both nibbles of every byte, padding included, go through the same table.
#pragma once

#include "platform/platform.h"

#include <cstddef>

namespace polkamoot {

struct RecolorTable {
    BYTE bytes[256];
};

RecolorTable MakeRecolorTable(const BYTE* fromMap, const BYTE* toMap, int count);
void RecolorPixelBytes(BYTE* pixels, std::size_t size, const RecolorTable& table);

} // namespace polkamoot
