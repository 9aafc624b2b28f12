#include "sprites/color_maps.h"
#include "sprites/recolor_table.h"
#include "sprites/standard_colors.h"

#include "literal_recolor.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace polkamoot {
namespace {

BYTE Recolored(BYTE byte, int from, int to) {
    RecolorPixelBytes(&byte, 1, MakeRecolorTable(ColorMaps[from], ColorMaps[to], 4));
    return byte;
}

TEST(RecolorTable, ExchangesBothNibblesOfAByte) {
    EXPECT_EQ(0xDE, Recolored(0x9A, 0, 4)); // red, green -> magenta, cyan
    EXPECT_EQ(0xC4, Recolored(0x91, 0, 1)); // red, dark red -> blue, dark blue
    EXPECT_EQ(0xC0, Recolored(0xC0, 0, 2)); // blue is not in map 0, black in no map
}

TEST(RecolorTable, EqualsTheTwoNibbleSearchForEveryByteAndMapPair) {
    for (int from = 0; from < ColorMapCount; ++from) {
        for (int to = 0; to < ColorMapCount; ++to) {
            RecolorTable table = MakeRecolorTable(ColorMaps[from], ColorMaps[to], 4);
            for (int byte = 0; byte < 256; ++byte) {
                ASSERT_EQ(reference::LiteralRecolorByte(static_cast<BYTE>(byte), ColorMaps[from],
                                                        ColorMaps[to], 4),
                          table.bytes[byte])
                    << "byte " << byte << " map " << from << " -> " << to;
            }
        }
    }
}

TEST(RecolorTable, EqualsTheSearchForOddMapsToo) {
    // Repeated entries (first wins), values past 15 (a whole byte replaces the nibble),
    // negative bytes (never equal to a nibble) and short counts.
    const BYTE from[] = {9, 9, 0x80, 3, 0xFF, 15};
    const BYTE to[] = {1, 2, 5, 0x1F, 7, 0xF0};
    for (int count = -1; count <= 6; ++count) {
        RecolorTable table = MakeRecolorTable(from, to, count);
        for (int byte = 0; byte < 256; ++byte) {
            ASSERT_EQ(reference::LiteralRecolorByte(static_cast<BYTE>(byte), from, to, count),
                      table.bytes[byte])
                << "byte " << byte << " count " << count;
        }
    }
}

TEST(RecolorTable, IdentityWhenNothingMaps) {
    for (RecolorTable table : {MakeRecolorTable(ColorMaps[0], ColorMaps[0], 4),
                               MakeRecolorTable(ColorMaps[0], ColorMaps[3], 0),
                               MakeRecolorTable(ColorMaps[0], ColorMaps[3], -4)}) {
        for (int byte = 0; byte < 256; ++byte) {
            ASSERT_EQ(byte, table.bytes[byte]);
        }
    }
}

TEST(RecolorTable, ChainOfSwapsEqualsOneRecoloringOnRoleColors) {
    std::vector<BYTE> roleBytes;
    const BYTE values[] = {0, 9, 1, 10, 2};
    for (BYTE high : values) {
        for (BYTE low : values) {
            roleBytes.push_back(static_cast<BYTE>(high << 4 | low));
        }
    }
    for (int a = 0; a < ColorMapCount; ++a) {
        for (int b = 0; b < ColorMapCount; ++b) {
            for (int c = 0; c < ColorMapCount; ++c) {
                for (BYTE original : roleBytes) {
                    BYTE asDrawn = Recolored(original, 0, a);
                    ASSERT_EQ(Recolored(asDrawn, a, c), Recolored(Recolored(asDrawn, a, b), b, c))
                        << int(original) << " " << a << b << c;
                }
            }
        }
    }
}

TEST(ColorMaps, HoldDistinctNonBlackValuesInBrightAndDarkPairs) {
    for (const ColorMap& map : ColorMaps) {
        EXPECT_EQ(4u, std::set<BYTE>(map, map + 4).size());
        EXPECT_EQ(map[0], map[1] + 8);
        EXPECT_EQ(map[2], map[3] + 8);
        for (BYTE value : map) {
            EXPECT_NE(0, value);
        }
    }
}

TEST(StandardColors, NearestEntryByColorWithFirstOfEqualsWinning) {
    for (BYTE i = 0; i < StandardColorCount; ++i) {
        const RGBQUAD& entry = StandardColorTable[i];
        EXPECT_EQ(i, NearestStandardColor(entry.rgbRed, entry.rgbGreen, entry.rgbBlue));
    }
    EXPECT_EQ(1, NearestStandardColor(132, 0, 0));     // dark red as a 16-bit display keeps it
    EXPECT_EQ(7, NearestStandardColor(198, 198, 198)); // light gray, likewise
    EXPECT_EQ(0, NearestStandardColor(64, 64, 64));    // as near black as dark gray
    EXPECT_EQ(15, NearestStandardColor(255, 251, 240));
}

TEST(StandardColors, RowsIndexLeftPixelHighAndZeroThePadding) {
    // Two rows of three pixels; 32-bit rows are 12 bytes, 4-bit rows 4.
    const BYTE rgb[] = {0, 0, 255, 0, 0,   255, 0, 0, 255, 255, 255, 0,
                        0, 0, 128, 0, 128, 0,   0, 0, 1,   2,   3,   0};
    BYTE indexed[8];
    std::fill(std::begin(indexed), std::end(indexed), BYTE{0xEE});
    IndexRowsByStandardColors(rgb, 3, 2, indexed);
    const BYTE expected[] = {0x9A, 0xF0, 0, 0, 0x14, 0x00, 0, 0};
    EXPECT_TRUE(std::equal(std::begin(expected), std::end(expected), indexed));
}

} // namespace
} // namespace polkamoot
