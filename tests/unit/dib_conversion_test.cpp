#include "sprites/dib_conversion.h"

#include "fake/fake_gdi.h"
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
    for (int displayBits : {32, 16}) {
        fake::Reset();
        fake::SetDisplayBits(displayBits);
        fake::Image row = StandardRow();
        for (DWORD off : {Rgb(166, 202, 240), Rgb(200, 10, 10), Rgb(100, 100, 100),
                          Rgb(160, 160, 164), Rgb(10, 200, 240)}) {
            row.pixels.push_back(off);
        }
        row.width = static_cast<int>(row.pixels.size());
        HBITMAP bitmap = fake::MakeBitmap(row);
        PackedDib dib = MakeDibFromBitmap(bitmap, nullptr, 4, BI_RGB, DIB_RGB_COLORS);
        ASSERT_NE(nullptr, dib);
        std::vector<int> expected = {0,  1,  2,  3,  4,  5, 6, 7, 8, 9, 10,
                                     11, 12, 13, 14, 15, 7, 9, 8, 7, 14};
        EXPECT_EQ(expected, RowValues(Contents(dib), 0, row.width)) << displayBits;
        GlobalFree(dib);
        DeleteObject(bitmap);
    }
}

TEST_F(DibConversion, FourBitRoundTripKeepsEveryStandardColorOnEveryDisplay) {
    for (int displayBits : {32, 16}) {
        fake::Reset();
        fake::SetDisplayBits(displayBits);
        HBITMAP bitmap = fake::MakeBitmap(StandardRow());
        PackedDib dib = MakeDibFromBitmap(bitmap, nullptr, 4, BI_RGB, DIB_RGB_COLORS);
        HBITMAP back = MakeBitmapFromDib(dib, nullptr, DIB_RGB_COLORS);
        ASSERT_NE(nullptr, back);
        EXPECT_EQ(fake::BitmapImage(bitmap), fake::BitmapImage(back)) << displayBits;
        GlobalFree(dib);
        DeleteObject(back);
        DeleteObject(bitmap);
        EXPECT_EQ(0, fake::Live(Kind::Bitmap));
        EXPECT_EQ(0, fake::Live(Kind::Memory));
    }
}

// The call pattern the recoloring no longer uses: palette indices relative to the default
// palette are not StandardColorTable positions, as measured on the real platform.
TEST_F(DibConversion, PaletteIndexImagesFollowThePlatformPalette) {
    HBITMAP bitmap = fake::MakeBitmap(StandardRow());
    PackedDib dib = MakeDibFromBitmap(bitmap, nullptr, 4, BI_RGB, DIB_PAL_COLORS);
    std::vector<BYTE> contents = Contents(dib);
    std::vector<int> values = RowValues(contents, 0, 16);
    EXPECT_EQ(13, values[9]);  // red
    EXPECT_EQ(14, values[10]); // green
    EXPECT_EQ(4, values[12]);  // blue
    EXPECT_EQ(10, values[15]); // white
    HBITMAP back = MakeBitmapFromDib(dib, nullptr, DIB_PAL_COLORS);
    fake::Image image = fake::BitmapImage(back);
    EXPECT_EQ(Rgb(255, 0, 0), image.At(9, 0));
    EXPECT_EQ(Rgb(255, 251, 240), image.At(15, 0));
    GlobalFree(dib);
    DeleteObject(back);
    DeleteObject(bitmap);
}

TEST_F(DibConversion, OtherFormatsAreThePlatforms) {
    fake::Image image = frames::RoleFrame(13, 5, true);
    HBITMAP bitmap = fake::MakeBitmap(image);
    struct Case {
        WORD bits;
        WORD resultBits;
        DWORD blockSize;
        bool exact;
    };
    for (Case c : {Case{24, 24, 40 + 40 * 5, true}, Case{32, 32, 40 + 52 * 5, true},
                   Case{0, 32, 40 + 52 * 5, true}, Case{8, 8, 40 + 1024 + 16 * 5, true},
                   Case{1, 1, 40 + 8 + 4 * 5, false}}) {
        PackedDib dib = MakeDibFromBitmap(bitmap, nullptr, c.bits, BI_RGB, DIB_RGB_COLORS);
        ASSERT_NE(nullptr, dib) << c.bits;
        EXPECT_EQ(c.blockSize, fake::BlockSize(dib)) << c.bits;
        EXPECT_EQ(c.resultBits, Header(Contents(dib)).biBitCount);
        HBITMAP back = MakeBitmapFromDib(dib, nullptr, DIB_RGB_COLORS);
        ASSERT_NE(nullptr, back) << c.bits;
        fake::Image result = fake::BitmapImage(back);
        if (c.exact) {
            EXPECT_EQ(image, result) << c.bits;
        } else {
            for (DWORD pixel : result.pixels) {
                EXPECT_TRUE(pixel == 0 || pixel == 0xFFFFFF);
            }
        }
        GlobalFree(dib);
        DeleteObject(back);
    }
    DeleteObject(bitmap);
    EXPECT_EQ(0, fake::Live(Kind::Memory));
    EXPECT_EQ(0, fake::Live(Kind::Bitmap));
}

TEST_F(DibConversion, ScreenPaletteIsSelectedThenRestoredInTheBackground) {
    HBITMAP bitmap = fake::MakeBitmap(StandardRow());
    PackedDib dib = MakeDibFromBitmap(bitmap, nullptr, 4, BI_RGB, DIB_RGB_COLORS);
    auto palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    std::vector<fake::PaletteCall> calls = fake::PaletteCalls();
    ASSERT_EQ(4u, calls.size());
    EXPECT_EQ(palette, calls[0].palette);
    EXPECT_EQ(0, calls[0].forceBackground);
    EXPECT_TRUE(calls[1].realize);
    EXPECT_EQ(1, calls[2].forceBackground);
    EXPECT_TRUE(calls[3].realize);
    EXPECT_EQ(calls[0].dc, calls[3].dc);

    HBITMAP back = MakeBitmapFromDib(dib, palette, DIB_RGB_COLORS);
    calls = fake::PaletteCalls();
    ASSERT_EQ(7u, calls.size());
    EXPECT_EQ(palette, calls[4].palette);
    EXPECT_TRUE(calls[5].realize);
    EXPECT_EQ(0, calls[6].forceBackground); // the previous one, foreground, not realized
    EXPECT_EQ(0, fake::Live(Kind::Dc));
    GlobalFree(dib);
    DeleteObject(back);
    DeleteObject(bitmap);
}

TEST_F(DibConversion, NullInputsReturnNullWithoutTouchingTheScreen) {
    EXPECT_EQ(nullptr, MakeDibFromBitmap(nullptr, nullptr, 4, BI_RGB, DIB_RGB_COLORS));
    EXPECT_EQ(nullptr, MakeBitmapFromDib(nullptr, nullptr, DIB_RGB_COLORS));
    EXPECT_TRUE(fake::PaletteCalls().empty());
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
    EXPECT_EQ(0, fake::FreedWhileLocked());
}

INSTANTIATE_TEST_SUITE_P(EveryStep, DibFromBitmapFailure,
                         ::testing::Values(Failure{"GlobalAlloc", 0}, Failure{"GlobalReAlloc", 0},
                                           Failure{"GlobalLock", 0}, Failure{"GlobalLock", 1},
                                           Failure{"GetDIBits", 1}, Failure{"GetDC", 0}),
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
    // The failed creation still put the previous palette back.
    EXPECT_EQ(0, fake::PaletteCalls().back().forceBackground);
    EXPECT_FALSE(fake::PaletteCalls().back().realize);
    GlobalFree(dib);
    DeleteObject(bitmap);
}

} // namespace
} // namespace polkamoot
