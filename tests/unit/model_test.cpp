// The platform model on its own, part by part. The saver's tests reach most of it already; these
// reach what its pictures and counts cannot tell: refusals, edges and the misuse a checked build
// reports.
#include "fake/fake.h"
#include "platform/model/model_internal.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

namespace polkamoot {
namespace {

using Pixels = std::vector<DWORD>;
using fake::Kind, fake::Live;

constexpr DWORD Header = sizeof(BITMAPINFOHEADER);

TEST(Bitmaps, DeletingWhatIsSelectedOrAContextHoldingABitmapIsAFaultAndFreesItOnce) {
    fake::Reset();
    HDC memory = CreateCompatibleDC(nullptr), other = CreateCompatibleDC(nullptr);
    EXPECT_FALSE(CreateCompatibleBitmap(memory, 0, 1) || CreateCompatibleBitmap(memory, 1, 0) ||
                 CreateCompatibleBitmap(nullptr, 1, 1));
    HBITMAP bitmap = fake::MakeBitmap({1, 1, {7}});
    HGDIOBJ held = SelectObject(memory, bitmap);
    EXPECT_EQ(nullptr, SelectObject(other, bitmap)) << "in one context at a time";
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_FALSE(DeleteObject(bitmap) || SelectObject(other, bitmap));
    EXPECT_EQ(1, Live(Kind::Bitmap)) << "alive till it leaves";
    EXPECT_EQ(bitmap, SelectObject(memory, held));
    EXPECT_EQ(0, Live(Kind::Bitmap));
    SelectObject(memory, bitmap = fake::MakeBitmap({1, 1, {7}}));
    DeleteDC(memory);
    EXPECT_EQ(held, SelectObject(other, bitmap)) << "free again";
    DeleteObject(SelectObject(other, held));
    DeleteDC(other);
    fake::Reset();
    EXPECT_EQ((std::vector<std::string>{"DeleteObject: the bitmap is still selected into a context",
                                        "DeleteDC: the context still holds a bitmap"}),
              fake::TakeFaults())
        << "told after a reset too";
}

TEST(Bitmaps, StockObjectsPalettesModesAndTheDensity) {
    fake::Reset();
    HDC dc = CreateCompatibleDC(nullptr), gone = CreateCompatibleDC(nullptr);
    DeleteDC(gone);
    HGDIOBJ black = GetStockObject(BLACK_BRUSH);
    auto palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    EXPECT_TRUE(black && palette != black && !GetStockObject(BLACK_BRUSH - 1) &&
                DeleteObject(black) && GetStockObject(BLACK_BRUSH) == black);
    EXPECT_TRUE(SelectPalette(dc, palette, 0) == palette &&
                !SelectPalette(dc, HPALETTE(black), 0) && !SelectPalette(gone, palette, 0) &&
                RealizePalette(dc) == 0 && RealizePalette(gone) == 0xFFFFFFFF);
    EXPECT_EQ((std::vector{96, 0, 0, 1, COLORONCOLOR, 0}),
              (std::vector{GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSX + 1),
                           GetDeviceCaps(gone, LOGPIXELSX), SetStretchBltMode(dc, COLORONCOLOR),
                           SetStretchBltMode(dc, 0), SetStretchBltMode(gone, 0)}));
    fake::SetScreenDpi(192);
    EXPECT_EQ(192, GetDeviceCaps(dc, LOGPIXELSX));
    DeleteDC(dc);
}

// A 4-bit info header and a table of 16 colors: index i is 0x503010 + 0x010101 * i.
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

HBITMAP FromInfo(std::vector<BYTE> info, DWORD init = CBM_INIT, const BYTE* rows = Rows.data(),
                 UINT usage = DIB_RGB_COLORS) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBitmap(screen, reinterpret_cast<BITMAPINFOHEADER*>(info.data()), init,
                                    rows, reinterpret_cast<BITMAPINFO*>(info.data()), usage);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

TEST(DeviceIndependentBitmaps, FourBitRowsFromEitherEndThroughTheColorsUsedOrRefused) {
    fake::Reset();
    // Bottom-up unless the height is negative; indices past the colors used are black; packed,
    // the rows follow a table of that many colors.
    const std::tuple<std::vector<BYTE>, int, Pixels> cases[] = {
        {Info(3, 2), 0, {Color(3), Color(4), Color(5), Color(0), Color(1), Color(2)}},
        {Info(3, -2, 4), 0, {Color(0), Color(1), Color(2), Color(3), 0, 0}},
        {Info(3, 2, 2), 2, {0, 0, 0, Color(0), Color(1), 0}},
    };
    for (auto [info, table, pixels] : cases) {
        HBITMAP bitmap = FromInfo(info);
        if (table) {
            info.resize(Header + 4 * table);
            info.insert(info.end(), Rows.begin(), Rows.end());
            DeleteObject(bitmap);
            bitmap = model::detail::BitmapFromPackedDib(info.data(), DWORD(info.size()));
        }
        EXPECT_EQ(pixels, fake::BitmapImage(bitmap).pixels) << table;
        DeleteObject(bitmap);
    }
    auto with = [](std::vector<BYTE> info, std::size_t at, DWORD value) {
        std::memcpy(info.data() + at, &value, sizeof value);
        return info;
    };
    fake::FailCall("CreateDIBitmap");
    // Asked to fail, no CBM_INIT, no rows, palette indices, a core header, 8 bits, compressed,
    // no width, no height, a height of no size.
    EXPECT_FALSE(FromInfo(Info(3, 2)) || FromInfo(Info(3, 2), 0) ||
                 FromInfo(Info(3, 2), CBM_INIT, nullptr) ||
                 FromInfo(Info(3, 2), CBM_INIT, Rows.data(), DIB_RGB_COLORS + 1) ||
                 FromInfo(with(Info(3, 2), 0, 12)) || FromInfo(Info(3, 2, 0, 8)) ||
                 FromInfo(with(Info(3, 2), 16, 2)) || FromInfo(Info(0, 2)) ||
                 FromInfo(Info(3, 0)) || FromInfo(Info(3, INT32_MIN)));
    std::vector<BYTE> packed = Info(3, 2);
    packed.insert(packed.end(), Rows.begin(), Rows.end());
    // Short of the header, of the table, of the rows.
    for (DWORD size : {0u, Header - 1, Header + 63, DWORD(packed.size() - 1)}) {
        EXPECT_EQ(nullptr, model::detail::BitmapFromPackedDib(packed.data(), size)) << size;
    }
    EXPECT_EQ(0, Live(Kind::Bitmap));
}

TEST(DeviceIndependentBitmaps, ScanLinesComeAtThirtyTwoBitsFromEitherEndBehindAToldSize) {
    fake::Reset();
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = fake::MakeBitmap({2, 2, {0x010203, 0x040506, 0x070809, 0x0A0B0C}});
    auto get = [&](LONG width, LONG height, UINT start, UINT lines, BYTE* bits, WORD depth = 32) {
        BITMAPINFO info{{Header, width, height, 1, depth, BI_RGB, 0, 0, 0, 7, 7}, {}};
        int copied = GetDIBits(screen, bitmap, start, lines, bits, &info, DIB_RGB_COLORS);
        return std::vector<DWORD>{DWORD(copied), info.bmiHeader.biSizeImage,
                                  info.bmiHeader.biClrUsed + info.bmiHeader.biClrImportant};
    };
    // The size asked, the first line and the lines; what it copied, the size it told, the bytes.
    const std::tuple<LONG, LONG, UINT, UINT, std::vector<DWORD>, std::vector<BYTE>> cases[] = {
        {2, 2, 0, 2, {2, 16, 0}, {9, 8, 7, 0, 12, 11, 10, 0, 3, 2, 1, 0, 6, 5, 4, 0}},
        {2, -2, 0, 9, {2, 16, 0}, {3, 2, 1, 0, 6, 5, 4, 0, 9, 8, 7, 0, 12, 11, 10, 0}},
        {3, -2, 0, 1, {1, 24, 0}, {3, 2, 1, 0, 6, 5, 4, 0, 0, 0, 0, 0}},
        {2, 2, 2, 1, {0, 16, 0}, {}},
    };
    for (const auto& [width, height, start, lines, told, bytes] : cases) {
        std::vector<BYTE> bits(bytes.size() + 4, 0xEE);
        EXPECT_EQ(told, get(width, height, start, lines, bits.data())) << width << height;
        bits.resize(bytes.size());
        EXPECT_EQ(bytes, bits) << width << " x " << height;
    }
    EXPECT_EQ((std::vector<DWORD>{1, 8, 0}), get(3, -2, 0, 2, nullptr, 4)) << "the size only";
    BYTE bits[64];
    fake::FailCall("GetDIBits");
    EXPECT_FALSE(get(2, 2, 0, 2, bits)[0] || get(0, 2, 0, 2, bits)[0] ||
                 get(2, 0, 0, 2, nullptr)[0] || get(2, INT32_MIN, 0, 2, bits)[0] ||
                 get(2, 2, 0, 2, nullptr, 8)[0] || get(2, 2, 0, 2, bits, 4)[0] ||
                 GetDIBits(screen, bitmap, 0, 2, bits, nullptr, DIB_RGB_COLORS));
    DeleteObject(bitmap);
    ReleaseDC(nullptr, screen);
}

std::array<LONG, 4> Edges(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// A 4 x 3 window, and a 3 x 2 bitmap of pixels 1 to 6 in a memory context.
class Drawing : public ::testing::Test {
  protected:
    void SetUp() override {
        fake::Reset();
        window = fake::MakeForeignWindow(4, 3);
        dc = GetDC(window);
        source = CreateCompatibleDC(dc);
        bitmap = fake::MakeBitmap(fake::Image{3, 2, {1, 2, 3, 4, 5, 6}});
        held = SelectObject(source, bitmap);
    }

    void TearDown() override {
        SelectObject(source, held);
        EXPECT_TRUE(DeleteDC(source) && DeleteObject(bitmap) && ReleaseDC(window, dc));
    }

    // What the window shows, and the rectangles reported drawn.
    std::pair<Pixels, std::vector<std::array<LONG, 4>>> Shown() {
        std::vector<std::array<LONG, 4>> painted;
        for (const fake::Painting& painting : fake::machine.paintings) {
            painted.push_back(Edges(painting.rect));
        }
        return {fake::Surface(window).pixels, painted};
    }

    HWND window = nullptr;
    HDC dc = nullptr, source = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ held = nullptr;
};

TEST_F(Drawing, StretchBltTakesTheNearestSourcePixelWithinTheBitmapAndTheWindow) {
    struct Case {
        std::array<int, 8> blt; // target x, y, width, height; source x, y, width, height
        Pixels shown;
    };
    const Case cases[] = {
        {{1, 0, 3, 2, 0, 0, 3, 2}, {0, 1, 2, 3, 0, 4, 5, 6, 0, 0, 0, 0}},  // the last column
        {{-1, 1, 3, 2, 0, 0, 3, 2}, {0, 0, 0, 0, 2, 3, 0, 0, 5, 6, 0, 0}}, // clipped
        {{-1, 0, 6, 4, 0, 0, 3, 2}, {1, 2, 2, 3, 1, 2, 2, 3, 4, 5, 5, 6}}, // enlarged
        {{0, 0, 2, 1, 0, 0, 3, 2}, {4, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},  // shrunk
        {{1, 1, 3, 2, -1, 1, 3, 2}, {0, 0, 0, 0, 0, 0, 4, 5, 0, 0, 0, 0}}, // partly outside it
        {{0, 0, 6, 2, -1, 0, 3, 2}, {0, 0, 1, 1, 0, 0, 4, 4, 0, 0, 0, 0}}, // enlarged, outside
        {{-2, 0, 6, 2, 1, 0, 3, 2}, {3, 3, 0, 0, 6, 6, 0, 0, 0, 0, 0, 0}}, // both ends trimmed
        {{0, 0, 3, 2, 0, 3, 3, 2}, Pixels(12)},                            // rows outside it
    };
    for (const Case& c : cases) {
        SetUp(); // the model afresh, the last one's objects dropped
        auto [x, y, width, height, sourceX, sourceY, sourceWidth, sourceHeight] = c.blt;
        EXPECT_TRUE(StretchBlt(dc, x, y, width, height, source, sourceX, sourceY, sourceWidth,
                               sourceHeight, SRCCOPY));
        RECT area{std::max(x, 0), std::max(y, 0), std::min(x + width, 4), std::min(y + height, 3)};
        EXPECT_EQ(std::pair(c.shown, std::vector{Edges(area)}), Shown()) << &c - cases;
    }
}

TEST_F(Drawing, StretchBltDrawsNothingForNothingAndRefusesWhatItCannotDraw) {
    HDC screen = GetDC(nullptr);
    HDC dead = CreateCompatibleDC(nullptr);
    DeleteDC(dead);
    auto blt = [&](HDC target, std::array<int, 4> place, HDC from, int sourceWidth,
                   int sourceHeight, DWORD rop = SRCCOPY) {
        auto [x, y, width, height] = place;
        return StretchBlt(target, x, y, width, height, from, 0, 0, sourceWidth, sourceHeight, rop);
    };
    // Off the window, no width or height, no source: done.
    EXPECT_TRUE(blt(dc, {4, 0, 1, 1}, source, 3, 2) && blt(dc, {0, -1, 4, 1}, source, 3, 2) &&
                blt(dc, {0, 0, 0, 1}, source, 3, 2) && blt(dc, {0, 0, 1, 0}, source, 3, 2) &&
                blt(dc, {0, 0, 4, 3}, source, 0, 2) && blt(dc, {0, 0, 4, 3}, source, 3, 0));
    // Negative sizes, another operation, a source that is no memory context or is gone, a
    // target that is gone, has no pixels, or is the source: refused.
    EXPECT_FALSE(blt(dc, {0, 0, -1, 3}, source, 3, 2) || blt(dc, {0, 0, 4, -1}, source, 3, 2) ||
                 blt(dc, {0, 0, 4, 3}, source, -1, 2) || blt(dc, {0, 0, 4, 3}, source, 3, -1) ||
                 blt(dc, {0, 0, 4, 3}, source, 3, 2, SRCCOPY + 1) ||
                 blt(dc, {0, 0, 4, 3}, dc, 3, 2) || blt(dc, {0, 0, 4, 3}, dead, 3, 2) ||
                 blt(dead, {0, 0, 4, 3}, source, 3, 2) || blt(screen, {0, 0, 4, 3}, source, 3, 2) ||
                 blt(source, {0, 0, 4, 3}, source, 3, 2));
    EXPECT_EQ(std::pair(Pixels(12), std::vector<std::array<LONG, 4>>{}), Shown());
    EXPECT_TRUE(ReleaseDC(nullptr, screen));
}

TEST_F(Drawing, FillRectBlackensOnlyWithTheBlackBrushWithinTheWindow) {
    StretchBlt(dc, 0, 0, 4, 3, source, 0, 0, 3, 2, SRCCOPY);
    HDC fresh = CreateCompatibleDC(dc); // holds a 1 x 1 black bitmap
    StretchBlt(dc, 3, 2, 1, 1, fresh, 0, 0, 1, 1, SRCCOPY);
    DeleteDC(fresh);
    fake::machine.paintings.clear();
    auto black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    auto palette = reinterpret_cast<HBRUSH>(GetStockObject(DEFAULT_PALETTE));
    HDC screen = GetDC(nullptr);
    const RECT inside{1, 1, 3, 2}, beyond{2, -5, 9, 1}, empty{2, 0, 2, 3}, flat{0, 2, 4, 2};
    EXPECT_TRUE(FillRect(dc, &inside, black) && FillRect(dc, &beyond, black) &&
                FillRect(dc, &empty, black) && FillRect(dc, &flat, black));
    EXPECT_FALSE(FillRect(dc, &inside, palette) || FillRect(dc, nullptr, black) ||
                 FillRect(screen, &inside, black) || FillRect(nullptr, &inside, black));
    EXPECT_EQ(std::pair(Pixels{1, 2, 0, 0, 4, 0, 0, 6, 4, 5, 5, 0},
                        std::vector<std::array<LONG, 4>>{{1, 1, 3, 2}, {2, 0, 4, 1}}),
              Shown());
    ReleaseDC(nullptr, screen);
}

LRESULT Quiet(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

TEST(Windows, TimersFireEveryPeriodOnceWhenLateNeverTwiceQueuedAcrossTheTickWrap) {
    fake::Reset();
    WNDCLASSA quiet{};
    quiet.lpfnWndProc = Quiet;
    quiet.lpszClassName = "Quiet";
    EXPECT_TRUE(RegisterClassA(&quiet) && !RegisterClassA(&quiet));
    auto make = [] {
        return CreateWindowExA(0, "quiet", "", WS_CHILD, 0, 0, 9, 9, nullptr, nullptr,
                               fake::Instance(), nullptr);
    };
    HWND window = make(), gone = make();
    EXPECT_TRUE(SetForegroundWindow(gone) && DestroyWindow(gone));
    EXPECT_FALSE(SetForegroundWindow(gone));
    const DWORD start = 0xFFFFFFF0;
    fake::machine.tick = start;
    EXPECT_EQ((std::vector<UINT_PTR>{1, 2, 1, 0}),
              (std::vector{SetTimer(window, 1, 5, nullptr), SetTimer(window, 2, 100, nullptr),
                           SetTimer(window, 0, 1000, nullptr), SetTimer(gone, 3, 10, nullptr)}));
    EXPECT_TRUE(KillTimer(window, 0));
    std::vector<std::string> steps; // the wait left after each tick, and the queue
    for (DWORD tick : {9, 10, 35, 100}) {
        fake::machine.tick = start + tick;
        fake::PostDueTimers();
        steps.push_back(std::to_string(fake::TimeToNextTimer()));
        for (const MSG& msg : fake::Queue()) {
            steps.back() += ", " + std::to_string(msg.wParam);
        }
    }
    EXPECT_EQ((std::vector<std::string>{"1", "10, 1", "5, 1", "10, 1, 2"}), steps)
        << "due every 10, the shortest period";
    EXPECT_EQ(2u, SetTimer(window, 2, 50, nullptr)) << "set again";
    MSG msg{};
    auto drain = [&] {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    };
    drain();
    fake::machine.idle = [] { return fake::machine.tick += 25, true; };
    EXPECT_TRUE(GetMessageA(&msg, nullptr, 0, 0) && msg.message == WM_TIMER && msg.wParam == 1);
    HWND other = make();
    SetTimer(other, 1, 10, nullptr);
    EXPECT_TRUE(DestroyWindow(window));
    EXPECT_EQ(1, Live(Kind::Timer)) << "stopped with their window only";
    DestroyWindow(other);
    drain();
    PostQuitMessage(0);
    EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0));
}

TEST(Profile, NumbersReadFromTheFirstKeyOfTheSectionAnyCaseElseTheDefault) {
    fake::Reset();
    fake::SetProfileText("Control.INI",
                         "Red=1\n[Other]\r\nRed=2\r\n  [ saver ] more\r\n"
                         " red = 12abc\r\nRED=3\r\nBlue=-7\r\nGreen=+8\r\n"
                         "Yellow=4294967297\r\nMagenta=\r\nMinutes=x\r\n"
                         "Sound=\t42\nRandom=9 9\r\nnot a key\r\n[saver2]\r\nCyan=6");
    const std::tuple<const char*, const char*, int, UINT> cases[] = {
        {"SAVER", "Red", 5, 12},      {"saver", "blue", 5, 0u - 7}, {"saver", "Green", 5, 8},
        {"saver", "Yellow", 5, 1},    {"saver", "Magenta", 5, 5},   {"saver", "Minutes", 5, 0},
        {"saver", "Sound", 5, 42},    {"saver", "Random", 5, 9},    {"saver", "Cyan", -3, 0u - 3},
        {"saver", "not a key", 5, 5}, {"Other", "Red", 5, 2},       {"saver2", "Cyan", 5, 6},
        {"none", "Red", 5, 5},
    };
    for (auto [section, key, fallback, value] : cases) {
        EXPECT_EQ(value, GetPrivateProfileIntA(section, key, fallback, "control.ini"))
            << section << " " << key;
    }
}

TEST(Profile, AWriteReplacesTheKeysLineOrFollowsTheSectionsLastKeyOrAddsTheSection) {
    // The text before; the section, key and value written; the text after.
    const std::tuple<const char*, const char*, const char*, const char*, const char*> cases[] = {
        {"", "Saver", " Red ", " 1 ", "[Saver]\r\nRed=1\r\n"},
        {"x=1", "Saver", "Red", "1", "x=1\r\n[Saver]\r\nRed=1\r\n"},
        {"x=1\n", "Saver", "Red", "1", "x=1\n[Saver]\r\nRed=1\r\n"},
        {"[saver]\nred = 2\nBlue=0\n", "Saver", "Red", "3", "[saver]\nRed=3\nBlue=0\n"},
        {"[Saver]\r\nA=1\r\n; note\r\n[Other]\r\n", "SAVER", "B", "2",
         "[Saver]\r\nA=1\r\nB=2\r\n; note\r\n[Other]\r\n"},
        {"[Saver]\r\n\r\n[Other]\r\nB=1\r\n", "Saver", "B", "2",
         "[Saver]\r\nB=2\r\n\r\n[Other]\r\nB=1\r\n"},
        {"[Saver]\r\nA=1", "Saver", "B", "2", "[Saver]\r\nA=1\r\nB=2\r\n"},
    };
    for (auto [before, section, key, text, after] : cases) {
        fake::Reset();
        fake::SetProfileText("control.ini", before);
        EXPECT_TRUE(WritePrivateProfileStringA(section, key, text, "CONTROL.ini"));
        EXPECT_EQ(after, fake::ProfileText("Control.ini")) << before;
    }
    fake::FailCall("WritePrivateProfileStringA");
    EXPECT_FALSE(WritePrivateProfileStringA("Saver", "B", "3", "control.ini") ||
                 WritePrivateProfileStringA(nullptr, "B", "3", "control.ini") ||
                 WritePrivateProfileStringA("Saver", nullptr, "3", "control.ini") ||
                 WritePrivateProfileStringA("Saver", "B", nullptr, "control.ini"));
    EXPECT_EQ("[Saver]\r\nA=1\r\nB=2\r\n", fake::ProfileText("control.ini"));
}

TEST(Resources, FoundByTypeAndNameInAnyCaseOrNumberAndStringsCutToTheBuffer) {
    fake::Reset();
    HMODULE self = fake::Instance(), other = HMODULE(std::uintptr_t{0x500000});
    DWORD size = 0;
    const BYTE* cry = fake::ResourceBytes("WAVE", "SND_OW", &size);
    EXPECT_EQ((std::vector<DWORD>{4830, 4830}), (std::vector{size, fake::WaveImageSize(cry)}));
    HRSRC found = FindResourceA(self, "snd_Ow", "wave");
    HGLOBAL loaded = LoadResource(self, found);
    EXPECT_EQ(cry, LockResource(loaded));
    fake::FailCall("LoadResource");
    EXPECT_FALSE(LoadResource(self, found) || LoadResource(other, found) ||
                 FindResourceA(self, "SND_O", "WAVE"));
    EXPECT_TRUE(FreeResource(loaded) && !FreeResource(loaded));
    EXPECT_TRUE(FindResourceA(self, "#2003", MAKEINTRESOURCEA(5)));
    EXPECT_EQ(nullptr, fake::ResourceBytes(RT_BITMAP, "#2003", &size));
    EXPECT_EQ(0u, size);
    EXPECT_TRUE(LoadIconA(self, MAKEINTRESOURCEA(100)) && !LoadIconA(self, MAKEINTRESOURCEA(101)) &&
                !LoadIconA(other, MAKEINTRESOURCEA(100)));
    // The id and the buffer's size; what is copied.
    for (auto [id, room, text] :
         {std::tuple{1001, 64, "control.ini"}, {1007, 6, "Scree"}, {1007, 1, ""}, {500, 64, ""}}) {
        char buffer[64];
        std::fill(std::begin(buffer), std::end(buffer), 'x');
        EXPECT_EQ(int(std::strlen(text)), LoadStringA(self, id, buffer, room)) << id;
        EXPECT_EQ(std::string(text) + '\0', std::string(buffer, std::strlen(text) + 1)) << id;
    }
}

TEST(Memory, BlocksKeepTheirBytesAcrossResizesAndCountTheirLocks) {
    fake::Reset();
    HGLOBAL zeroed = GlobalAlloc(GMEM_ZEROINIT, 3), raw = GlobalAlloc(0, 2);
    auto bytes = [](HGLOBAL block) {
        auto* at = static_cast<BYTE*>(GlobalLock(block));
        std::vector<BYTE> copy(at, at + fake::BlockSize(block));
        GlobalUnlock(block);
        return copy;
    };
    EXPECT_EQ((std::vector<BYTE>{0, 0, 0}), bytes(zeroed));
    static_cast<BYTE*>(GlobalLock(raw))[1] = 7;
    GlobalLock(raw);
    EXPECT_TRUE(GlobalUnlock(raw)) << "still locked once";
    EXPECT_FALSE(GlobalUnlock(raw) || GlobalUnlock(raw)) << "unlocked, then not locked at all";
    EXPECT_EQ(raw, GlobalReAlloc(raw, 4, 0));
    EXPECT_EQ((std::vector<BYTE>{0xCD, 7, 0xCD, 0xCD}), bytes(raw)) << "0xCD: never written";
    EXPECT_EQ(zeroed, GlobalReAlloc(zeroed, 0, 0));
    EXPECT_EQ(nullptr, GlobalLock(zeroed)) << "an empty block";
    fake::FailCall("GlobalLock");
    EXPECT_FALSE(GlobalLock(raw));
    EXPECT_TRUE(!GlobalFree(raw) && !GlobalFree(zeroed) && GlobalFree(raw) == raw);
    EXPECT_EQ(0, Live(Kind::Memory));
}

} // namespace
} // namespace polkamoot
