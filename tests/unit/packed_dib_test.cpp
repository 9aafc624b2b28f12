#include "sprites/packed_dib.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace polkamoot {
namespace {

std::vector<BYTE> InfoDib(LONG width, LONG height, WORD bits, DWORD colorsUsed) {
    BITMAPINFOHEADER header{};
    header.biSize = 40;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = bits;
    header.biClrUsed = colorsUsed;
    std::vector<BYTE> bytes(2048);
    std::memcpy(bytes.data(), &header, sizeof header);
    return bytes;
}

std::vector<BYTE> CoreDib(DWORD size, WORD width, WORD height, WORD bits) {
    BITMAPCOREHEADER header{size, width, height, 1, bits};
    std::vector<BYTE> bytes(2048);
    std::memcpy(bytes.data(), &header, sizeof header);
    return bytes;
}

TEST(DibHeaderReaders, InfoHeaderColorCountFollowsBitCount) {
    struct Case {
        WORD bits;
        WORD colors;
    };
    for (Case c : {Case{1, 2}, Case{4, 16}, Case{8, 256}, Case{16, 0}, Case{24, 0}, Case{32, 0}}) {
        std::vector<BYTE> dib = InfoDib(148, 127, c.bits, 0);
        EXPECT_EQ(c.colors, DibColorCount(dib.data())) << c.bits;
        EXPECT_EQ(c.colors * 4u, DibColorTableSize(dib.data())) << c.bits;
        EXPECT_EQ(dib.data() + 40 + c.colors * 4, DibPixels(dib.data())) << c.bits;
    }
}

TEST(DibHeaderReaders, ColorsUsedOverridesBitCount) {
    std::vector<BYTE> dib = InfoDib(10, 10, 8, 5);
    EXPECT_EQ(5, DibColorCount(dib.data()));
    EXPECT_EQ(20u, DibColorTableSize(dib.data()));
    EXPECT_EQ(dib.data() + 60, DibPixels(dib.data()));

    std::vector<BYTE> trueColor = InfoDib(10, 10, 24, 0);
    EXPECT_EQ(0u, DibColorTableSize(trueColor.data()));
    EXPECT_EQ(trueColor.data() + 40, DibPixels(trueColor.data()));
}

TEST(DibHeaderReaders, InfoHeaderSizesAreSigned) {
    std::vector<BYTE> dib = InfoDib(-3, -127, 4, 0);
    EXPECT_EQ(-3, DibImageWidth(dib.data()));
    EXPECT_EQ(-127, DibImageHeight(dib.data()));
    EXPECT_EQ(4, DibBitCount(dib.data()));
}

TEST(DibHeaderReaders, CoreHeaderHasThreeByteEntriesAndUnsignedSizes) {
    std::vector<BYTE> dib = CoreDib(12, 65535, 40000, 4);
    EXPECT_EQ(65535, DibImageWidth(dib.data()));
    EXPECT_EQ(40000, DibImageHeight(dib.data()));
    EXPECT_EQ(16, DibColorCount(dib.data()));
    EXPECT_EQ(48u, DibColorTableSize(dib.data()));
    EXPECT_EQ(dib.data() + 12 + 48, DibPixels(dib.data()));
}

TEST(DibHeaderReaders, AnySizeButFortyReadsAsCoreAndOffsetsByTheStoredSize) {
    std::vector<BYTE> dib = CoreDib(64, 7, 9, 1);
    EXPECT_EQ(7, DibImageWidth(dib.data()));
    EXPECT_EQ(9, DibImageHeight(dib.data()));
    EXPECT_EQ(6u, DibColorTableSize(dib.data()));
    EXPECT_EQ(dib.data() + 64 + 6, DibPixels(dib.data()));
}

TEST(DibRowBytes, RowsArePaddedToWholeWords) {
    EXPECT_EQ(76u, DibRowBytes(4, 148));
    EXPECT_EQ(4u, DibRowBytes(4, 8)); // fills the row exactly
    EXPECT_EQ(8u, DibRowBytes(4, 9)); // one pixel more: a whole word more
    EXPECT_EQ(4u, DibRowBytes(1, 32));
    EXPECT_EQ(8u, DibRowBytes(1, 33));
    EXPECT_EQ(12u, DibRowBytes(24, 3)); // 9 bytes of pixels
    EXPECT_EQ(12u, DibRowBytes(24, 4));
    EXPECT_EQ(4u, DibRowBytes(8, 1));
    EXPECT_EQ(0u, DibRowBytes(4, 0));
    EXPECT_EQ(0u, DibRowBytes(4, -5));
}

} // namespace
} // namespace polkamoot
