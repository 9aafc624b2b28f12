#include "sprites/packed_dib.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace polkamoot {
namespace {

template <typename Header> std::vector<BYTE> Block(const Header& header) {
    std::vector<BYTE> block(2048);
    std::memcpy(block.data(), &header, sizeof header);
    return block;
}

std::vector<BYTE> Info(LONG width, LONG height, WORD bits, DWORD colorsUsed) {
    return Block(
        BITMAPINFOHEADER{InfoHeaderSize, width, height, 1, bits, BI_RGB, 0, 0, 0, colorsUsed, 0});
}

TEST(DibHeaderReaders, ReadTheHeaderOfEitherKindAndItsRowStride) {
    // Width, height, colors, table bytes, where the pixels begin, bytes a row.
    const std::pair<std::vector<BYTE>, std::vector<std::int64_t>> cases[] = {
        {Info(148, 127, 4, 0), {148, 127, 16, 64, 104, 76}},
        {Info(-3, -127, 8, 0xFFFF), {-3, -127, 0xFFFF, 0x3FFFC, 0x40024, 0}}, // signed; no wrap
        {Info(0x12345, 2, 8, 0), {0x12345, 2, 256, 1024, 1064, 0x12348}},
        {Info(9, 1, 1, 0), {9, 1, 2, 8, 48, 4}},
        {Info(1, 1, 32, 0), {1, 1, 0, 0, 40, 4}}, // a row filled exactly
        {Block(BITMAPCOREHEADER{64, 300, 40000, 1, 4}), {300, 40000, 16, 48, 112, 152}}, // not 40
    };
    for (const auto& [block, expected] : cases) {
        BYTE* dib = const_cast<BYTE*>(block.data());
        EXPECT_EQ(expected, (std::vector<std::int64_t>{
                                DibImageWidth(dib), DibImageHeight(dib), DibColorCount(dib),
                                DibColorTableSize(dib), DibPixels(dib) - dib,
                                DibRowBytes(DibBitCount(dib), DibImageWidth(dib))}));
    }
}

} // namespace
} // namespace polkamoot
