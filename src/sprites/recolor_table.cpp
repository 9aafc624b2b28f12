#include "sprites/recolor_table.h"

namespace polkamoot {

RecolorTable MakeRecolorTable(const BYTE* fromMap, const BYTE* toMap, int count) {
    // A replacement may lie outside 0..15; the combination below keeps it as a whole byte
    // would be stored, so the table never differs from a search per nibble.
    unsigned nibbles[16];
    for (unsigned value = 0; value < 16; ++value) {
        nibbles[value] = value;
        for (int k = 0; k < count; ++k) {
            if (fromMap[k] == value) {
                nibbles[value] = toMap[k];
                break;
            }
        }
    }
    RecolorTable table;
    for (unsigned byte = 0; byte < 256; ++byte) {
        table.bytes[byte] = static_cast<BYTE>(nibbles[byte >> 4] << 4 | nibbles[byte & 15]);
    }
    return table;
}

void RecolorPixelBytes(BYTE* pixels, std::size_t size, const RecolorTable& table) {
    for (std::size_t i = 0; i < size; ++i) {
        pixels[i] = table.bytes[pixels[i]];
    }
}

} // namespace polkamoot
