#include "sprites/recolor_table.h"

namespace polkamoot {

namespace {

// The replacement at the first equal entry, or the value itself when no entry is equal.
unsigned Exchanged(unsigned value, const BYTE* fromMap, const BYTE* toMap, int count) {
    for (int k = 0; k < count; ++k) {
        if (fromMap[k] == value) {
            return toMap[k];
        }
    }
    return value;
}

} // namespace

RecolorTable MakeRecolorTable(const BYTE* fromMap, const BYTE* toMap, int count) {
    // A replacement may lie outside 0..15; the combination keeps it as a whole byte would be
    // stored, so the table never differs from a search per nibble.
    RecolorTable table;
    unsigned byte = 0;
    for (BYTE& entry : table.bytes) {
        entry = static_cast<BYTE>(Exchanged(byte >> 4, fromMap, toMap, count) << 4 |
                                  Exchanged(byte & 15, fromMap, toMap, count));
        ++byte;
    }
    return table;
}

void RecolorPixelBytes(BYTE* pixels, std::size_t size, const RecolorTable& table) {
    for (std::size_t i = 0; i < size; ++i) {
        pixels[i] = table.bytes[pixels[i]];
    }
}

} // namespace polkamoot
