// The model's bitmaps and contexts, and its device-independent bitmaps: the 4-bit images it
// reads, the scan lines it writes, and the misuse it reports as a checked build would.
#include "fake/fake.h"
#include "platform/model/model_internal.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace polkamoot {
namespace {

using Pixels = std::vector<DWORD>;
using fake::Kind, fake::Live;

constexpr DWORD Header = sizeof(BITMAPINFOHEADER);

TEST(Bitmaps, ContextsHoldOneBitmapEachAndAreCountedTillDeleted) {
    fake::Reset();
    HWND window = fake::MakeForeignWindow(4, 3);
    HDC screen = GetDC(nullptr), dc = GetDC(window), memory = CreateCompatibleDC(dc);
    HDC other = CreateCompatibleDC(nullptr);
    HBITMAP black = CreateCompatibleBitmap(dc, 1, 1), bitmap = fake::MakeBitmap({1, 1, {7}});
    EXPECT_EQ((std::vector<int>{4, 2}), (std::vector{Live(Kind::Dc), Live(Kind::Bitmap)}));
    EXPECT_EQ((Pixels{0}), fake::BitmapImage(black).pixels);
    EXPECT_FALSE(CreateCompatibleBitmap(dc, 0, 1) || CreateCompatibleBitmap(dc, 1, 0) ||
                 CreateCompatibleBitmap(nullptr, 1, 1) || SelectObject(dc, bitmap) ||
                 SelectObject(memory, window) || SelectObject(nullptr, bitmap) ||
                 ReleaseDC(window, memory) || ReleaseDC(nullptr, dc) || DeleteDC(dc) ||
                 DeleteDC(screen));

    HGDIOBJ held = SelectObject(memory, bitmap);
    EXPECT_TRUE(held && SelectObject(memory, bitmap) == bitmap) << "again: itself";
    EXPECT_EQ(nullptr, SelectObject(other, bitmap)) << "in one context at a time";
    EXPECT_EQ(bitmap, SelectObject(memory, black));
    EXPECT_EQ(held, SelectObject(other, bitmap)) << "let go";
    EXPECT_EQ(bitmap, SelectObject(other, held)) << "the default in every context";
    EXPECT_EQ(black, SelectObject(memory, held));
    fake::FailCall("GetDC");
    fake::FailCall("CreateCompatibleDC");
    fake::FailCall("CreateCompatibleBitmap");
    EXPECT_FALSE(GetDC(window) || CreateCompatibleDC(dc) || CreateCompatibleBitmap(dc, 1, 1));
    EXPECT_EQ(nullptr, GetDC(HWND(std::uintptr_t{0x999}))) << "no such window";
    DeleteObject(black);
    EXPECT_TRUE(DeleteDC(other) && DeleteDC(memory) && ReleaseDC(window, dc) &&
                ReleaseDC(nullptr, screen));
    EXPECT_EQ(nullptr, CreateCompatibleDC(dc)) << "released";
    EXPECT_EQ((std::vector<int>{0, 1}), (std::vector{Live(Kind::Dc), Live(Kind::Bitmap)}));
    EXPECT_TRUE(fake::TakeFaults().empty());
}

TEST(Bitmaps, DeletingWhatIsStillSelectedIsAFaultAndTheBitmapLivesTillItLeaves) {
    fake::Reset();
    HDC memory = CreateCompatibleDC(nullptr), other = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = fake::MakeBitmap({1, 1, {7}});
    HGDIOBJ held = SelectObject(memory, bitmap);
    EXPECT_TRUE(DeleteObject(bitmap));
    BITMAP description{};
    EXPECT_FALSE(DeleteObject(bitmap) || fake::BitmapAlive(bitmap) ||
                 fake::BitmapImage(bitmap).width || SelectObject(other, bitmap) ||
                 GetObjectA(bitmap, sizeof description, &description));
    EXPECT_EQ(1, Live(Kind::Bitmap));
    EXPECT_EQ(bitmap, SelectObject(memory, held));
    EXPECT_EQ(0, Live(Kind::Bitmap)) << "gone once it left";
    SelectObject(memory, bitmap = fake::MakeBitmap({1, 1, {7}}));
    DeleteObject(bitmap);
    DeleteDC(memory);
    EXPECT_EQ(0, Live(Kind::Bitmap)) << "gone with its context";
    memory = CreateCompatibleDC(nullptr);
    SelectObject(memory, bitmap = fake::MakeBitmap({1, 1, {7}}));
    DeleteDC(memory);
    EXPECT_EQ(held, SelectObject(other, bitmap)) << "free again";
    SelectObject(other, held);
    fake::Reset();
    const std::string deleted = "DeleteObject: the bitmap is still selected into a context";
    const std::string holding = "DeleteDC: the context still holds a bitmap";
    EXPECT_EQ((std::vector{deleted, deleted, holding, holding}), fake::TakeFaults())
        << "told after a reset too";
}

TEST(Bitmaps, StockObjectsDescriptionsPalettesAndTheDensity) {
    fake::Reset();
    HDC dc = CreateCompatibleDC(nullptr), gone = CreateCompatibleDC(nullptr);
    DeleteDC(gone);
    HGDIOBJ black = GetStockObject(BLACK_BRUSH);
    auto palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    EXPECT_TRUE(black && palette && black != palette && !GetStockObject(BLACK_BRUSH - 1));
    EXPECT_TRUE(DeleteObject(black) && DeleteObject(palette)) << "never deleted";
    EXPECT_EQ(black, GetStockObject(BLACK_BRUSH));
    BITMAP description{};
    HBITMAP bitmap = fake::MakeBitmap({3, 2, Pixels(6)});
    EXPECT_EQ(0, GetObjectA(bitmap, sizeof description - 1, &description));
    EXPECT_EQ(0, GetObjectA(bitmap, sizeof description, nullptr));
    EXPECT_EQ(int(sizeof description), GetObjectA(bitmap, sizeof description + 4, &description));
    EXPECT_EQ((std::vector<LONG>{0, 3, 2, 12, 1, 32}),
              (std::vector<LONG>{description.bmType, description.bmWidth, description.bmHeight,
                                 description.bmWidthBytes, description.bmPlanes,
                                 description.bmBitsPixel}));
    EXPECT_TRUE(SelectPalette(dc, palette, 0) == palette &&
                !SelectPalette(dc, HPALETTE(black), 0) && !SelectPalette(gone, palette, 0) &&
                RealizePalette(dc) == 0 && RealizePalette(gone) == 0xFFFFFFFF);
    EXPECT_EQ((std::vector{96, 0, 0, 1, COLORONCOLOR, 0}),
              (std::vector{GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSX + 1),
                           GetDeviceCaps(gone, LOGPIXELSX), SetStretchBltMode(dc, COLORONCOLOR),
                           SetStretchBltMode(dc, 0), SetStretchBltMode(gone, 0)}))
        << "the density, and the modes from black on white";
    fake::SetScreenDpi(192);
    EXPECT_EQ(192, GetDeviceCaps(dc, LOGPIXELSX));
    DeleteObject(bitmap);
    DeleteDC(dc);
}

// A 4-bit info header and a table of 16 colors, each index i blue 0x10 + i, green 0x30 + i and
// red 0x50 + i.
std::vector<BYTE> Info(LONG width, LONG height, DWORD colorsUsed = 0, WORD bits = 4) {
    BITMAPINFOHEADER header{Header, width, height, 1, bits, BI_RGB, 0, 0, 0, colorsUsed, 0};
    std::vector<BYTE> info(sizeof header);
    std::memcpy(info.data(), &header, sizeof header);
    for (BYTE i = 0; i < 16; ++i) {
        info.insert(info.end(), {BYTE(0x10 + i), BYTE(0x30 + i), BYTE(0x50 + i), 0});
    }
    return info;
}

constexpr DWORD Color(int index) {
    return 0x503010 + 0x010101 * index;
}

// Two rows of three pixels, 0 1 2 and 3 4 5, four bytes each.
const std::vector<BYTE> Rows = {0x01, 0x2F, 0xEE, 0xEE, 0x34, 0x5F, 0xEE, 0xEE};

HBITMAP FromInfo(std::vector<BYTE> info, HDC dc = nullptr, DWORD init = CBM_INIT,
                 const BYTE* rows = Rows.data(), UINT usage = DIB_RGB_COLORS) {
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBitmap(dc ? dc : screen, header, init, rows,
                                    reinterpret_cast<BITMAPINFO*>(info.data()), usage);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

TEST(DeviceIndependentBitmaps, FourBitRowsReadFromEitherEndLeftPixelHighThroughTheTable) {
    fake::Reset();
    const Pixels topDown = {Color(0), Color(1), Color(2), Color(3), Color(4), Color(5)};
    // Bottom-up unless the height is negative; indices past the colors used are black. Packed,
    // with a table of that many colors before the rows.
    const std::tuple<std::vector<BYTE>, int, Pixels> cases[] = {
        {Info(3, 2), 0, {Color(3), Color(4), Color(5), Color(0), Color(1), Color(2)}},
        {Info(3, -2), 0, topDown},
        {Info(3, -2, 4), 0, {Color(0), Color(1), Color(2), Color(3), 0, 0}},
        {Info(3, -2, 0x10002), 0, topDown},
        {Info(1, -1), 0, {Color(0)}},
        {Info(3, 2, 2), 2, {0, 0, 0, Color(0), Color(1), 0}},
        {Info(3, -2, 17), 16, topDown},
    };
    int row = 0;
    for (auto [info, table, pixels] : cases) {
        HBITMAP bitmap = FromInfo(info);
        if (table) {
            info.resize(Header + 4 * table);
            info.insert(info.end(), Rows.begin(), Rows.end());
            DeleteObject(bitmap);
            bitmap = model::detail::BitmapFromPackedDib(info.data(), DWORD(info.size()));
        }
        EXPECT_EQ(pixels, fake::BitmapImage(bitmap).pixels) << "row " << row++;
        DeleteObject(bitmap);
    }
    EXPECT_EQ(0, Live(Kind::Bitmap));
}

TEST(DeviceIndependentBitmaps, AnyOtherFormAndAnyBitmapShortOfBytesIsRefused) {
    fake::Reset();
    auto with = [](std::vector<BYTE> info, std::size_t at, DWORD value) {
        std::memcpy(info.data() + at, &value, sizeof value);
        return info;
    };
    HDC gone = CreateCompatibleDC(nullptr);
    DeleteDC(gone);
    fake::FailCall("CreateDIBitmap");
    // Asked to fail, a context gone, no CBM_INIT, no rows, palette indices, a core header,
    // 8 bits, compressed, no width, no height, a height of no size.
    EXPECT_FALSE(FromInfo(Info(3, 2)) || FromInfo(Info(3, 2), gone) ||
                 FromInfo(Info(3, 2), nullptr, 0) ||
                 FromInfo(Info(3, 2), nullptr, CBM_INIT, nullptr) ||
                 FromInfo(Info(3, 2), nullptr, CBM_INIT, Rows.data(), DIB_RGB_COLORS + 1) ||
                 FromInfo(with(Info(3, 2), 0, 12)) || FromInfo(Info(3, 2, 0, 8)) ||
                 FromInfo(with(Info(3, 2), 16, 2)) || FromInfo(Info(0, 2)) ||
                 FromInfo(Info(3, 0)) || FromInfo(Info(3, INT32_MIN)));
    std::vector<BYTE> info = Info(3, 2);
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    std::vector<BYTE> other = Info(3, -2);
    HDC screen = GetDC(nullptr);
    EXPECT_FALSE(CreateDIBitmap(screen, header, CBM_INIT, Rows.data(),
                                reinterpret_cast<BITMAPINFO*>(other.data()), DIB_RGB_COLORS) ||
                 CreateDIBitmap(screen, header, CBM_INIT, Rows.data(), nullptr, DIB_RGB_COLORS))
        << "a header that is not the info's, or none";
    std::vector<BYTE> packed = Info(3, 2);
    packed.insert(packed.end(), Rows.begin(), Rows.end());
    // Short of the header, of the table, of the rows.
    for (DWORD size : {0u, Header - 1, Header + 63, DWORD(packed.size() - 1)}) {
        EXPECT_EQ(nullptr, model::detail::BitmapFromPackedDib(packed.data(), size)) << size;
    }
    EXPECT_FALSE(model::detail::BitmapFromPackedDib(nullptr, 100) || Live(Kind::Bitmap));
    ReleaseDC(nullptr, screen);
}

TEST(DeviceIndependentBitmaps, ScanLinesComeAtThirtyTwoBitsFromEitherEndBehindAToldSize) {
    fake::Reset();
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = fake::MakeBitmap({2, 2, {0x010203, 0x040506, 0x070809, 0x0A0B0C}});
    auto get = [&](BITMAPINFOHEADER header, UINT start, UINT lines, BYTE* bits,
                   HBITMAP from = nullptr, UINT usage = DIB_RGB_COLORS, HDC dc = nullptr) {
        BITMAPINFO info{header, {}};
        int copied =
            GetDIBits(dc ? dc : screen, from ? from : bitmap, start, lines, bits, &info, usage);
        const BITMAPINFOHEADER& told = info.bmiHeader;
        return std::vector<DWORD>{DWORD(copied), told.biSizeImage,
                                  told.biClrUsed + told.biClrImportant};
    };
    auto header = [](LONG width, LONG height, WORD bits = 32) {
        return BITMAPINFOHEADER{Header, width, height, 1, bits, BI_RGB, 0, 0, 0, 7, 7};
    };
    // The header, the first line and the lines asked; what it copied, the size it told, the bytes.
    const std::tuple<BITMAPINFOHEADER, UINT, UINT, std::vector<DWORD>, std::vector<BYTE>> cases[] =
        {
            {header(2, 2), 0, 2, {2, 16, 0}, {9, 8, 7, 0, 12, 11, 10, 0, 3, 2, 1, 0, 6, 5, 4, 0}},
            {header(2, -2), 0, 9, {2, 16, 0}, {3, 2, 1, 0, 6, 5, 4, 0, 9, 8, 7, 0, 12, 11, 10, 0}},
            {header(3, -2), 0, 1, {1, 24, 0}, {3, 2, 1, 0, 6, 5, 4, 0, 0, 0, 0, 0}}, // wider
            {header(1, 1), 0, 1, {1, 4, 0}, {3, 2, 1, 0}},                           // narrower
            {header(2, 3), 0, 1, {1, 24, 0}, {0, 0, 0, 0, 0, 0, 0, 0}},              // higher
            {header(2, 2), 2, 1, {0, 16, 0}, {}},
        };
    for (const auto& [asked, start, lines, told, bytes] : cases) {
        std::vector<BYTE> bits(bytes.size() + 4, 0xEE);
        EXPECT_EQ(told, get(asked, start, lines, bits.data())) << asked.biWidth << asked.biHeight;
        bits.resize(bytes.size());
        EXPECT_EQ(bytes, bits) << asked.biWidth << " x " << asked.biHeight;
    }
    EXPECT_EQ((std::vector<DWORD>{1, 8, 0}), get(header(3, -2, 4), 0, 2, nullptr));
    EXPECT_EQ((std::vector<DWORD>{1, 24, 0}), get(header(3, 2), 0, 2, nullptr));

    BYTE bits[64];
    HDC gone = CreateCompatibleDC(nullptr);
    DeleteDC(gone);
    HBITMAP deleted = fake::MakeBitmap({1, 1, {0}});
    DeleteObject(deleted);
    BITMAPINFOHEADER core = header(2, 2), compressed = header(2, 2);
    core.biSize = 12;
    compressed.biCompression = 1;
    fake::FailCall("GetDIBits");
    EXPECT_FALSE(get(header(2, 2), 0, 2, bits)[0] || get(header(2, 2), 0, 2, bits, deleted)[0] ||
                 get(header(2, 2), 0, 2, bits, nullptr, 1)[0] || get(core, 0, 2, bits)[0] ||
                 get(compressed, 0, 2, bits)[0] || get(header(0, 2), 0, 2, bits)[0] ||
                 get(header(2, 0), 0, 2, nullptr)[0] || get(header(2, INT32_MIN), 0, 2, bits)[0] ||
                 get(header(2, 2, 8), 0, 2, nullptr)[0] || get(header(2, 2, 4), 0, 2, bits)[0] ||
                 get(header(2, 2), 0, 2, bits, nullptr, DIB_RGB_COLORS, gone)[0] ||
                 GetDIBits(screen, bitmap, 0, 2, bits, nullptr, DIB_RGB_COLORS));
    ReleaseDC(nullptr, screen);
}

} // namespace
} // namespace polkamoot
