#include "sprites/color_maps.h"
#include "sprites/dib_conversion.h"
#include "sprites/recolor.h"
#include "sprites/recolor_table.h"
#include "sprites/standard_colors.h"

#include "fake/fake.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>
#include <vector>

namespace polkamoot {
namespace {

TEST(RecolorTable, EqualsTheSearchPerNibbleForEveryByteAndPairOfMaps) {
    for (const ColorMap& from : ColorMaps) {
        for (const ColorMap& to : ColorMaps) {
            // Each nibble on its own, the low one first: the first equal entry exchanges it.
            auto exchanged = [&](int nibble) {
                const BYTE* found = std::find(std::begin(from), std::end(from), nibble);
                return found == std::end(from) ? nibble : to[found - from];
            };
            std::vector<BYTE> bytes(257); // every byte from red and green on, and one beyond
            std::iota(bytes.begin(), bytes.end(), BYTE{0x9A});
            RecolorPixelBytes(bytes.data(), 256, MakeRecolorTable(from, to, 4));
            for (int i = 0; i < 256; ++i) {
                int byte = (0x9A + i) & 0xFF, low = exchanged(byte & 15);
                ASSERT_EQ(BYTE(exchanged(byte >> 4) << 4 | low), bytes[i]) << byte;
            }
            EXPECT_EQ(0x9A, bytes[256]) << "beyond the size";
        }
    }
}

TEST(ColorMaps, HoldBrightAndDarkPairsAndNoBlack) {
    for (const ColorMap& map : ColorMaps) {
        EXPECT_EQ(map[0], map[1] + 8);
        EXPECT_EQ(map[2], map[3] + 8);
        EXPECT_TRUE(map[1] && map[3]) << "black stays black";
    }
}

DWORD ColorOf(BYTE value) {
    const RGBQUAD& entry = StandardColorTable[value];
    return fake::Rgb(entry.rgbRed, entry.rgbGreen, entry.rgbBlue);
}

TEST(Recolor, StoredFramesTakeEveryColoringExactly) {
    fake::Reset();
    for (const char* name : {"bear1R", "bear2R", "bear3R", "bear4R", "bear5R", "bear1L", "bear2L",
                             "bear3L", "bear4L", "bear5L"}) {
        HBITMAP frame = LoadBitmapA(fake::Instance(), name);
        fake::Image image = fake::BitmapImage(frame);
        for (int to = 0; to < ColorMapCount; ++to) {
            std::map<DWORD, DWORD> exchanged; // the role colors of map 0 to those of `to`
            for (int k = 0; k < 4; ++k) {
                exchanged[ColorOf(ColorMaps[0][k])] = ColorOf(ColorMaps[to][k]);
            }
            fake::Image expected = image;
            for (DWORD& pixel : expected.pixels) {
                pixel = exchanged.emplace(pixel, pixel).first->second; // any other color stays
            }
            HBITMAP recolored = RecolorBitmap(frame, ColorMaps[0], ColorMaps[to], 4);
            EXPECT_EQ(expected, fake::BitmapImage(recolored)) << name << " in map " << to;
            DeleteObject(recolored);
        }
    }
}

TEST(Recolor, EveryFailingStepGivesNullAndReleasesEverything) {
    // In call order: the conversion to 4 bits (the block, its locks around the resize, the pixel
    // request, the screen); the recoloring's own lock; the conversion back's lock, screen, bitmap.
    const std::pair<const char*, int> steps[] = {
        {"GlobalAlloc", 0}, {"GlobalLock", 0},    {"GlobalReAlloc", 0}, {"GlobalLock", 1},
        {"GetDIBits", 0},   {"GetDC", 0},         {"GlobalLock", 2},    {"GlobalLock", 3},
        {"GetDC", 1},       {"CreateDIBitmap", 0}};
    fake::Reset();
    HBITMAP frame = LoadBitmapA(fake::Instance(), "bear2L");
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        auto [operation, successes] = steps[i];
        SCOPED_TRACE(operation + std::to_string(successes));
        fake::FailCall(operation, successes);
        EXPECT_EQ(nullptr, RecolorBitmap(frame, ColorMaps[0], ColorMaps[1], 4));
        if (i < 6) { // a step of the conversion itself
            fake::FailCall(operation, successes);
            EXPECT_EQ(nullptr, MakeDibFromBitmap(frame, nullptr, 4, BI_RGB, DIB_RGB_COLORS));
        }
        EXPECT_EQ(1, fake::Live(fake::Kind::Bitmap));
        EXPECT_EQ(0, fake::Live(fake::Kind::Memory) + fake::Live(fake::Kind::Dc));
    }
}

} // namespace
} // namespace polkamoot
