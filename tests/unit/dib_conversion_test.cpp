#include "sprites/dib_conversion.h"
#include "sprites/standard_colors.h"

#include "fake/fake.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <vector>

namespace polkamoot {
namespace {

// The block's bytes from `offset` on.
std::vector<BYTE> Contents(PackedDib dib, std::size_t offset) {
    auto* bytes = static_cast<BYTE*>(GlobalLock(dib));
    std::vector<BYTE> contents(bytes + offset, bytes + fake::BlockSize(dib));
    GlobalUnlock(dib);
    return contents;
}

TEST(DibConversion, FourBitValuesAreStandardPositionsAndComeBackAsTheirColors) {
    fake::Reset();
    const DWORD standard[] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                              0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                              0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    fake::Image image{16, 2, {std::begin(standard), std::end(standard)}};
    image.pixels.insert(image.pixels.end(), std::rbegin(standard), std::rend(standard));
    PackedDib dib = MakeDibFromBitmap(fake::MakeBitmap(image), nullptr, 4, BI_RGB, DIB_RGB_COLORS);
    std::vector<BYTE> block = Contents(dib, 0);
    const BITMAPINFOHEADER header{InfoHeaderSize, 16, 2, 1, 4, BI_RGB, 16, 0, 0, 0, 0};
    EXPECT_EQ(0, std::memcmp(&header, block.data(), sizeof header));
    const std::vector<BYTE> bottomRowFirst = {0xFE, 0xDC, 0xBA, 0x98, 0x76, 0x54, 0x32, 0x10,
                                              0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
    EXPECT_EQ(bottomRowFirst, std::vector<BYTE>(block.begin() + 104, block.end()));
    EXPECT_EQ(image, fake::BitmapImage(MakeBitmapFromDib(dib, nullptr, DIB_RGB_COLORS)));
    EXPECT_EQ(0, fake::LockCount(dib));
    fake::FailCall("GetDC");
    EXPECT_EQ(nullptr, MakeBitmapFromDib(dib, nullptr, DIB_RGB_COLORS));
    EXPECT_EQ(0, fake::LockCount(dib)) << "unlocked and left to its owner";
    HBITMAP sprite = LoadBitmapA(fake::Instance(), "bear3R");
    EXPECT_EQ(9756u,
              fake::BlockSize(MakeDibFromBitmap(sprite, nullptr, 4, BI_RGB, DIB_RGB_COLORS)));
}

TEST(DibConversion, OtherFormatsAreThePlatformsOwn) {
    // Bit count 0 asks for the bitmap's own depth, 32 bits here: blue, green, red, unused.
    fake::Reset();
    HBITMAP bitmap = fake::MakeBitmap({2, 2, {0x102030, 0x405060, 0x708090, 0xA0B0C0}});
    PackedDib dib = MakeDibFromBitmap(bitmap, nullptr, 0, BI_RGB, DIB_RGB_COLORS);
    const std::vector<BYTE> bottomRowFirst = {0x90, 0x80, 0x70, 0, 0xC0, 0xB0, 0xA0, 0,
                                              0x30, 0x20, 0x10, 0, 0x60, 0x50, 0x40, 0};
    EXPECT_EQ(bottomRowFirst, Contents(dib, InfoHeaderSize));
}

TEST(StandardColors, RowsIndexByTheNearestColorLeftPixelHighPaddedWithZeros) {
    // Two rows of seven, neighbours differing in one channel. Off the table: near black, and
    // dark gray as near as black, where the first of equally near entries wins.
    const DWORD colors[] = {0x010000, 0xFF0000, 0xFF00FF, 0xFFFF00, 0x00FF00, 0x00FFFF, 0x008000,
                            0x800000, 0xFFFFFF, 0x808080, 0xC0C0C0, 0x404040, 0x000080, 0x800080};
    std::vector<BYTE> rgb;
    for (DWORD c : colors) {
        rgb.insert(rgb.end(), {BYTE(c), BYTE(c >> 8), BYTE(c >> 16), 0});
    }
    std::vector<BYTE> indexed(12, 0xEE);
    IndexRowsByStandardColors(rgb.data(), 7, 2, indexed.data());
    EXPECT_EQ(
        (std::vector<BYTE>{0x09, 0xDB, 0xAE, 0x20, 0x1F, 0x87, 0x04, 0x50, 0xEE, 0xEE, 0xEE, 0xEE}),
        indexed);
}

} // namespace
} // namespace polkamoot
