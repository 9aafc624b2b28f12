#include "sprites/dib_conversion.h"

#include "fake/fake.h"
#include "sprite_frames.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace polkamoot {
namespace {

using fake::Kind;
using fake::Rgb;

class DibConversion : public ::testing::Test {
  protected:
    void SetUp() override { fake::Reset(); }

    // A copy of the header and everything behind it.
    static std::vector<BYTE> Contents(PackedDib dib) {
        auto* bytes = static_cast<BYTE*>(GlobalLock(dib));
        std::vector<BYTE> contents(bytes, bytes + fake::BlockSize(dib));
        GlobalUnlock(dib);
        return contents;
    }

    static BITMAPINFOHEADER Header(const std::vector<BYTE>& contents) {
        BITMAPINFOHEADER header;
        std::memcpy(&header, contents.data(), sizeof header);
        return header;
    }

    // 4-bit values of one bottom-up row, left to right.
    static std::vector<int> RowValues(const std::vector<BYTE>& contents, int row, int width) {
        const BYTE* pixels = DibPixels(contents.data());
        const BYTE* at = pixels + row * DibRowBytes(4, width);
        std::vector<int> values;
        for (int x = 0; x < width; ++x) {
            values.push_back(x % 2 ? at[x / 2] & 15 : at[x / 2] >> 4);
        }
        return values;
    }

    static fake::Image Row(std::vector<DWORD> colors) {
        int width = static_cast<int>(colors.size());
        return fake::Image{width, 1, std::move(colors)};
    }

    static fake::Image StandardRow() {
        std::vector<DWORD> colors;
        for (int i = 0; i < StandardColorCount; ++i) {
            colors.push_back(frames::StandardRgb(i));
        }
        return Row(colors);
    }
};

TEST_F(DibConversion, SpriteSizedFrameGivesTheDocumentedBlock) {
    HBITMAP sprite = fake::MakeBitmap(frames::RoleFrame(148, 127, false));
    PackedDib dib = MakeDibFromBitmap(sprite, nullptr, 4, BI_RGB, DIB_RGB_COLORS);
    ASSERT_NE(nullptr, dib);
    EXPECT_EQ(9756u, fake::BlockSize(dib));
    std::vector<BYTE> contents = Contents(dib);
    BITMAPINFOHEADER header = Header(contents);
    EXPECT_EQ(9652u, header.biSizeImage);
    EXPECT_EQ(148, header.biWidth);
    EXPECT_EQ(127, header.biHeight);
    EXPECT_EQ(0u, header.biClrUsed);
    EXPECT_EQ(0, std::memcmp(StandardColorTable, contents.data() + 40, 64));
    EXPECT_EQ(0, fake::LockCount(dib));
    GlobalFree(dib);
    DeleteObject(sprite);
    EXPECT_EQ(0, fake::Live(Kind::Memory));
    EXPECT_EQ(0, fake::Live(Kind::Dc));
}

TEST_F(DibConversion, FourBitValuesArePositionsOfTheNearestStandardColor) {
    fake::Image row = StandardRow();
    for (DWORD off : {Rgb(166, 202, 240), Rgb(200, 10, 10), Rgb(100, 100, 100), Rgb(160, 160, 164),
                      Rgb(10, 200, 240)}) {
        row.pixels.push_back(off);
    }
    row.width = static_cast<int>(row.pixels.size());
    HBITMAP bitmap = fake::MakeBitmap(row);
    PackedDib dib = MakeDibFromBitmap(bitmap, nullptr, 4, BI_RGB, DIB_RGB_COLORS);
    ASSERT_NE(nullptr, dib);
    std::vector<int> expected = {0,  1,  2,  3,  4,  5, 6, 7, 8, 9, 10,
                                 11, 12, 13, 14, 15, 7, 9, 8, 7, 14};
    EXPECT_EQ(expected, RowValues(Contents(dib), 0, row.width));
    GlobalFree(dib);
    DeleteObject(bitmap);
}

TEST_F(DibConversion, FourBitRoundTripKeepsEveryStandardColor) {
    HBITMAP bitmap = fake::MakeBitmap(StandardRow());
    PackedDib dib = MakeDibFromBitmap(bitmap, nullptr, 4, BI_RGB, DIB_RGB_COLORS);
    HBITMAP back = MakeBitmapFromDib(dib, nullptr, DIB_RGB_COLORS);
    ASSERT_NE(nullptr, back);
    EXPECT_EQ(fake::BitmapImage(bitmap), fake::BitmapImage(back));
    GlobalFree(dib);
    DeleteObject(back);
    DeleteObject(bitmap);
    EXPECT_EQ(0, fake::Live(Kind::Bitmap));
    EXPECT_EQ(0, fake::Live(Kind::Memory));
}

TEST_F(DibConversion, NullInputsReturnNullWithoutTouchingTheScreen) {
    EXPECT_EQ(nullptr, MakeDibFromBitmap(nullptr, nullptr, 4, BI_RGB, DIB_RGB_COLORS));
    EXPECT_EQ(nullptr, MakeBitmapFromDib(nullptr, nullptr, DIB_RGB_COLORS));
    EXPECT_EQ(0, fake::Live(Kind::Memory));
}

struct Failure {
    const char* operation;
    int successes;
};

class DibFromBitmapFailure : public DibConversion, public ::testing::WithParamInterface<Failure> {};

TEST_P(DibFromBitmapFailure, ReturnsNullAndLeavesNothingBehind) {
    fake::Image image = frames::RoleFrame(148, 127, true);
    HBITMAP bitmap = fake::MakeBitmap(image);
    fake::FailCall(GetParam().operation, GetParam().successes);
    EXPECT_EQ(nullptr, MakeDibFromBitmap(bitmap, nullptr, 4, BI_RGB, DIB_RGB_COLORS));
    EXPECT_EQ(image, fake::BitmapImage(bitmap));
    EXPECT_EQ(1, fake::Live(Kind::Bitmap));
    EXPECT_EQ(0, fake::Live(Kind::Memory));
    EXPECT_EQ(0, fake::Live(Kind::Dc));
}

INSTANTIATE_TEST_SUITE_P(EveryStep, DibFromBitmapFailure,
                         ::testing::Values(Failure{"GlobalAlloc", 0}, Failure{"GlobalReAlloc", 0},
                                           Failure{"GlobalLock", 0}, Failure{"GlobalLock", 1},
                                           Failure{"GetDIBits", 0}, Failure{"GetDC", 0}),
                         [](const auto& info) {
                             return std::string(info.param.operation) +
                                    std::to_string(info.param.successes);
                         });

TEST_F(DibConversion, BitmapFromDibFailuresUnlockButKeepTheBlock) {
    HBITMAP bitmap = fake::MakeBitmap(StandardRow());
    PackedDib dib = MakeDibFromBitmap(bitmap, nullptr, 4, BI_RGB, DIB_RGB_COLORS);
    auto palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    for (const char* operation : {"GetDC", "CreateDIBitmap", "GlobalLock"}) {
        fake::FailCall(operation);
        EXPECT_EQ(nullptr, MakeBitmapFromDib(dib, palette, DIB_RGB_COLORS)) << operation;
        EXPECT_EQ(0, fake::LockCount(dib)) << operation;
        EXPECT_EQ(1, fake::Live(Kind::Memory)) << operation;
        EXPECT_EQ(1, fake::Live(Kind::Bitmap)) << operation;
        EXPECT_EQ(0, fake::Live(Kind::Dc)) << operation;
    }
    GlobalFree(dib);
    DeleteObject(bitmap);
}

} // namespace
} // namespace polkamoot
