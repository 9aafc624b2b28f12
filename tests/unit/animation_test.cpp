// The bear animation: its plain logic in tables, then the troupe's life on the fake platform.
#include "animation/animation.h"
#include "animation/placement.h"
#include "animation/random.h"
#include "animation/step_bear.h"
#include "fake/fake.h"
#include "fake/fake_dialog.h"
#include "host/host.h"
#include "sprites/color_maps.h"
#include "sprites/recolor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace polkamoot {
namespace {

using fake::Kind, fake::Live;

constexpr Size Sprite{148, 127};

std::array<LONG, 4> Edges(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

TEST(Random, IsTheClassicGeneratorFromItsStartValue) {
    StartRandom(1);
    EXPECT_EQ((std::array{41, 18467, 6334, 26500, 19169}),
              (std::array{DrawRandom(), DrawRandom(), DrawRandom(), DrawRandom(), DrawRandom()}));
}

TEST(FitDrawSize, ScalesWindowsWithoutRoomForASpriteAndItsMarginAndSlowsTheBears) {
    struct Case {
        int right, bottom, speed, width, height, speedAfter;
        Size sprite = Sprite;
    };
    const Case cases[] = {
        {150, 129, 10, 148, 127, 10}, {640, 128, 10, 106, 90, 1},  // the least room; a pixel less
        {147, 500, 10, 24, 20, 1},    {600, 87, 10, 100, 85, 1},   // too narrow; just high enough
        {600, 86, 12, 16, 14, 2},     {5, 5, 5, 1, 1, 2},          // a sixth of the height; tiny
        {1000, 5, 10, 1, 1, 1},       {1, 1, 10, 1, 1, 1, {0, 0}}, // a sprite without a size
    };
    for (const Case& c : cases) {
        int speed = c.speed;
        Size drawn = FitDrawSize(RECT{0, 0, c.right, c.bottom}, c.sprite, &speed);
        EXPECT_EQ((std::array{c.width, c.height, c.speedAfter}),
                  (std::array{drawn.width, drawn.height, speed}))
            << c.right << " x " << c.bottom;
    }
}

TEST(BearsOverlap, CornersWithinOneDrawnSizeOnBothAxesTouchingIncluded) {
    struct Case {
        int x, y, expected, otherX = 200, otherY = 200;
    };
    const Case cases[] = {
        {348, 327, 1}, {52, 73, 1},  {349, 200, 0},     {51, 200, 0},
        {200, 328, 0}, {200, 72, 0}, {0, 0, 1, 10, 10}, {-100, 0, 0, 10, 10}, // lows stop at 0
    };
    Bear bear{};
    for (const Case& c : cases) {
        std::tie(Bears[0].x, Bears[0].y, bear.x, bear.y) = std::tuple{c.otherX, c.otherY, c.x, c.y};
        EXPECT_EQ(c.expected, BearsOverlap(bear, 1, 0, 148, 127)) << c.x << ", " << c.y;
    }
}

TEST(PlaceBears, GivesUpOnABearAfterRoundsOfBoundedDrawsAndPlacesTheRest) {
    // On 290 x 250 any two places overlap: rounds of draws for bears 0 and 1, then 0 alone.
    constexpr DWORD Start = 10;
    StartRandom(Start);
    EXPECT_EQ(1, PlaceBears(2, RECT{0, 0, 290, 250}, Sprite, 1));
    DWORD state = Start;
    std::array<int, 5> r; // the draws after the rounds given up
    for (int draw = -PlacementRounds * (5 + 3 + 2 * PositionDrawsPerBear); draw < 5; ++draw) {
        r[std::max(draw, 0)] = NextRandom(state);
    }
    const Bear& bear = Bears[0];
    EXPECT_EQ((std::array{r[0] % 2 ? -1 : 1, r[1] % 2 ? -1 : 1, r[2] % 8, r[3] % 141 + 1,
                          r[4] % 122 + 1}),
              (std::array{bear.dx, bear.dy, bear.frameIndex, bear.x, bear.y}));
    EXPECT_EQ(bear.dx > 0 ? bear.rightFrames : bear.leftFrames, bear.currentFrames);
    EXPECT_EQ(NextRandom(state), DrawRandom()) << "no draw more";

    EXPECT_EQ(1, PlaceBears(1, RECT{0, 0, 0, 0}, Size{1, 1}, 2)) << "a window with no room";
    EXPECT_EQ((std::array{1, 1}), (std::array{bear.x, bear.y}));
}

TEST(PlanStep, BouncesOffEdgesAndOffBearsItWasClearOfAndStaysPutWhenItDoes) {
    // Bear 1 steps beside bear 0. The edges, inside up to the last pixel and bounced one further:
    // right, left, bottom, top; corners; a slow bear. Touching bear 0 on the right, left, below,
    // above, diagonally; beside it at the bottom edge, above it at the right edge.
    constexpr int Far = 1000;
    struct Case {
        int x, y, dx, dy, dxAfter, dyAfter, cries, otherX, otherY;
    };
    const Case cases[] = {
        {482, 200, 10, 10, 10, 10, 0, Far, Far},   {483, 200, 10, 10, -10, 10, 1, Far, Far},
        {10, 200, -10, 10, -10, 10, 0, Far, Far},  {9, 200, -10, 10, 10, 10, 1, Far, Far},
        {200, 343, 10, 10, 10, 10, 0, Far, Far},   {200, 344, 10, 10, 10, -10, 1, Far, Far},
        {200, 10, 10, -10, 10, -10, 0, Far, Far},  {200, 9, 10, -10, 10, 10, 1, Far, Far},
        {483, 344, 10, 10, -10, -10, 2, Far, Far}, {10, 10, -10, -10, -10, -10, 0, Far, Far},
        {200, 200, 1, 1, 1, 1, 0, Far, Far},       {300, 200, 10, 10, -10, 10, 0, 448, 200},
        {300, 200, -10, 10, 10, 10, 0, 152, 200},  {300, 200, 10, 10, 10, -10, 0, 300, 327},
        {300, 200, 10, -10, 10, 10, 0, 300, 73},   {300, 200, 10, 10, -10, -10, 0, 448, 327},
        {300, 344, 10, 10, 10, -10, 1, 448, 344},  {483, 200, 10, 10, -10, 10, 1, 483, 327},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << &c - cases);
        BearCount = 2;
        Bear& bear = Bears[1];
        std::tie(Bears[0].x, Bears[0].y) = std::tuple{c.otherX, c.otherY};
        std::tie(bear.x, bear.y, bear.dx, bear.dy, bear.frameIndex) =
            std::tuple{c.x, c.y, c.dx, c.dy, 7};
        StepPlan plan = PlanStep(bear, 1, RECT{0, 0, 640, 480}, Sprite);
        bool moved = c.dxAfter == c.dx && c.dyAfter == c.dy;
        EXPECT_EQ((std::array{moved ? c.x + c.dx : c.x, moved ? c.y + c.dy : c.y, c.dxAfter,
                              c.dyAfter, c.cries, 0}),
                  (std::array{bear.x, bear.y, bear.dx, bear.dy, plan.cries, bear.frameIndex}));
        EXPECT_EQ(c.dxAfter > 0 ? bear.rightFrames : bear.leftFrames, bear.currentFrames);
    }
}

TEST(PlanStep, StripsAreTheOldRectangleLessTheNewOneEmptyAfterABounce) {
    const POINT from{100, 50};
    EXPECT_EQ((std::array<LONG, 4>{238, 50, 248, 177}),
              Edges(ColumnsLeftBehind(from, {90, 60}, Sprite)));
    EXPECT_EQ((std::array<LONG, 4>{100, 50, 248, 60}),
              Edges(RowsLeftBehind(from, {90, 60}, Sprite)));
    EXPECT_EQ((std::array<LONG, 4>{248, 50, 248, 177}),
              Edges(ColumnsLeftBehind(from, from, Sprite)));
    EXPECT_EQ((std::array<LONG, 4>{100, 177, 248, 177}), Edges(RowsLeftBehind(from, from, Sprite)));
}

constexpr DWORD CalendarTime = 1700000000;
int timersAtDestroy;

// The chain as the host builds it, noting the timers still running once WM_DESTROY is handled.
LRESULT Chain(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = HostFrameProc(window, message, wParam, lParam);
    timersAtDestroy = message == WM_DESTROY ? Live(Kind::Timer) : timersAtDestroy;
    return result;
}

HWND Saver(const std::string& profile = "", int width = 640, int height = 480) {
    fake::SetProfileText("control.ini", "[ScreenSaver.Polkamoot]\r\n" + profile);
    return CreateWindowExA(0, "WindowsScreenSaverClass", "Screen Saver", WS_POPUP, 0, 0, width,
                           height, nullptr, nullptr, HostState.instance, nullptr);
}

LRESULT Tick(HWND window, UINT_PTR timer = FrameTimer) {
    return SendMessageA(window, WM_TIMER, timer, 0);
}

void Place(int x, int y, int dx, int dy) {
    std::tie(Bears[0].x, Bears[0].y, Bears[0].dx, Bears[0].dy) = std::tuple{x, y, dx, dy};
}

int PassedOn(UINT message) {
    return static_cast<int>(std::ranges::count(fake::machine.defaultCalls, message));
}

// Every slot shows its frame of the dance, 1 2 3 4 5 4 3 2, recolored from map 0.
void ExpectFrames(const Bear& bear) {
    for (int k = 0; k < 2 * FrameSlots; ++k) {
        int slot = k % FrameSlots, frame = slot < OwnFrames ? slot : FrameSlots - slot;
        std::string name = "bear" + std::to_string(frame + 1) + (k < FrameSlots ? "R" : "L");
        HBITMAP stored = LoadBitmapA(fake::Instance(), name.c_str());
        HBITMAP want = RecolorBitmap(stored, ColorMaps[0], ColorMaps[bear.colorIndex], 4);
        const FrameSet& frames = k < FrameSlots ? bear.rightFrames : bear.leftFrames;
        EXPECT_EQ(fake::BitmapImage(want), fake::BitmapImage(frames[slot])) << name;
        DeleteObject(want);
        DeleteObject(stored);
    }
}

void ExpectNothingHeld(int bitmaps = 0) {
    EXPECT_EQ((std::array{bitmaps, 0, 0, 0, 0, 0}),
              (std::array{Live(Kind::Bitmap), Live(Kind::Dc), Live(Kind::Memory),
                          Live(Kind::Resource), Live(Kind::Timer), timersAtDestroy}));
}

class SceneTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fake::Reset();
        fake::machine.calendarTime = CalendarTime;
        HostState = HostRecord{.instance = fake::Instance()};
        std::fill(std::begin(Bears), std::end(Bears), Bear{});
        WNDCLASSA saverClass{0,       Chain,   0,       0,       nullptr,
                             nullptr, nullptr, nullptr, nullptr, "WindowsScreenSaverClass"};
        RegisterClassA(&saverClass);
    }
};

TEST_F(SceneTest, SetupDrawsFromTheCalendarTimeTheColorFirstInRandomModeWhichSwapsEveryMinutes) {
    StartRandom(CalendarTime); // in order: direction, direction, frame, place
    std::array r{DrawRandom(), DrawRandom(), DrawRandom(), DrawRandom(), DrawRandom()};
    const std::pair<const char*, UINT> modes[] = {
        {nullptr, 0}, {"0", 60000}, {"60", 3600000}, {"65535", 3932100000u}};
    for (auto [minutes, period] : modes) {
        SCOPED_TRACE(minutes ? minutes : "not random");
        SetUp();
        HWND window = Saver(minutes ? std::string("Random=1\r\nMinutes=") + minutes : "");
        EXPECT_EQ(minutes ? r[0] % 6 : 0, Bears[0].colorIndex);
        EXPECT_EQ(r[minutes ? 4 : 3] % 491 + 1, Bears[0].x) << "the color drawn first";
        ExpectFrames(Bears[0]);
        std::vector<fake::TimerInfo> timers = fake::Timers();
        EXPECT_EQ((std::array{100u, period}),
                  (std::array{timers.at(0).period, timers.size() > 1 ? timers[1].period : 0u}));
        EXPECT_EQ(1, PassedOn(WM_CREATE));
        DestroyWindow(window);
        ExpectNothingHeld();
    }
}

TEST_F(SceneTest, SetupFailingAtAnyStepDestroysTheWindowAndLeavesNothing) {
    for (const char* operation : {"LoadBitmapA", "GlobalAlloc", "CreateDIBitmap"}) {
        SetUp();
        DestroyWindow(Saver());
        ASSERT_LT(0, fake::machine.calls[operation]) << operation;
        for (int successes = 0, calls = fake::machine.calls[operation]; successes < calls;
             ++successes) {
            SCOPED_TRACE(testing::Message() << operation << " after " << successes);
            SetUp();
            fake::FailCall(operation, successes);
            EXPECT_EQ(nullptr, Saver());
            EXPECT_EQ(0, PassedOn(WM_CREATE));
            EXPECT_NE(fake::WaitCursor(), fake::Cursor());
            ExpectNothingHeld();
        }
    }
}

TEST_F(SceneTest, ScenesComeAndGoReleasingAllAndTouchingNoRecordBeyondTheRoster) {
    fake::machine.waveDevices = 1;
    fake::FailCall("LoadResource", 4); // bear 0's sound in the second scene
    Bears[4].rightFrames[0] = fake::MakeBitmap(fake::Image{1, 1, {0}});
    const Bear beyond = Bears[4];
    // One process; the second scene starts afresh, and has room for one bear only.
    for (auto [width, height, bears, speed, soundFails] :
         {std::array{152, 112, 4, 1, 0}, std::array{290, 250, 1, 10, 1}}) {
        HWND window =
            Saver("Red=0\r\nBlue=1\r\nGreen=1\r\nYellow=1\r\nMagenta=1\r\nSound=1", width, height);
        ASSERT_EQ(bears, BearCount) << width;
        EXPECT_EQ(speed, Scene.BearSpeed);
        EXPECT_EQ(10 * bears + 1, Live(Kind::Bitmap));
        const BYTE* cry = fake::ResourceBytes("WAVE", "SND_OW", nullptr);
        EXPECT_EQ(soundFails ? nullptr : cry, Bears[0].soundData);
        // A repeat is never deleted on its own: here it holds a bitmap not the bear's.
        Bears[0].rightFrames[5] = fake::MakeBitmap(fake::Image{1, 1, {0}});
        DestroyWindow(window);
        ExpectNothingHeld(2);
        DeleteObject(Bears[0].rightFrames[5]);
        EXPECT_EQ(nullptr, fake::machine.sounds.back().sound) << "stopped";
        EXPECT_EQ(0u, fake::machine.sounds.back().flags);
        EXPECT_EQ(0, std::memcmp(&beyond, &Bears[4], sizeof(Bear)));
    }
}

TEST_F(SceneTest, ATickDrawsTheFrameBlackensWhatItLeftAndCriesOneAtATimeEraseBlackensAll) {
    fake::machine.waveDevices = 1;
    HWND window = Saver("Sound=1");
    Place(100, 50, 10, -10);
    HBITMAP frame = Bears[0].rightFrames[(Bears[0].frameIndex + 1) % FrameSlots];
    std::vector<std::array<LONG, 4>> painted;
    std::vector<bool> frameFree; // a bitmap sits in one context at a time
    fake::machine.onPaint = [&](fake::Painting painting) {
        painted.push_back(Edges(painting.rect));
        HDC probe = CreateCompatibleDC(nullptr);
        HGDIOBJ previous = SelectObject(probe, frame);
        frameFree.push_back(previous != nullptr);
        SelectObject(probe, previous);
        DeleteDC(probe);
        Tick(window); // a timer message handled inside the tick
    };
    Tick(window);
    fake::machine.onPaint = nullptr;
    EXPECT_EQ((std::vector<std::array<LONG, 4>>{
                  {110, 40, 258, 167}, {100, 50, 110, 177}, {100, 167, 248, 177}}),
              painted);
    EXPECT_EQ((std::vector<bool>{false, true, true}), frameFree);
    fake::Image image = fake::BitmapImage(frame), surface = fake::Surface(window);
    for (int y = 0; y < 127; ++y) {
        auto row = surface.pixels.begin() + (40 + y) * 640 + 110;
        EXPECT_TRUE(std::equal(row, row + 148, image.pixels.begin() + y * 148)) << y;
    }
    HDC dc = GetDC(window);
    EXPECT_EQ(0, SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0));
    ReleaseDC(window, dc);
    EXPECT_EQ((std::array<LONG, 4>{0, 0, 640, 480}), Edges(fake::machine.paintings.back().rect));
    Tick(window, 7);
    EXPECT_EQ((std::array{0, 0, 5}),
              (std::array{Live(Kind::Dc), PassedOn(WM_ERASEBKGND), PassedOn(WM_TIMER)}))
        << "the three timer messages inside the tick, and one not the animation's";
    for (int y : {344, 100}) { // a corner first: two cries
        Place(483, y, 10, 10);
        Tick(window);
        fake::machine.soundPlaying = false;
    }
    std::vector<bool> played;
    for (const fake::SoundRequest& request : fake::machine.sounds) {
        played.push_back(request.played && request.sound == Bears[0].soundData);
    }
    EXPECT_EQ((std::vector<bool>{true, false, true}), played);
}

UINT PLATFORM_API DoubleDensity() {
    return 192;
}

// What a saver of that size shows after a second of dancing, and every rectangle drawn on it,
// a last erasure included, each times `scale`.
fake::Image Dance(int width, int height, std::vector<std::array<LONG, 4>>* painted, int scale = 1) {
    HWND window = Saver("Blue=1\r\nGreen=1", width, height);
    for (int tick = 0; tick < 10; ++tick) {
        Tick(window);
    }
    fake::Image shown = fake::Surface(window);
    HDC dc = GetDC(window);
    SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    ReleaseDC(window, dc);
    DestroyWindow(window);
    for (const fake::Painting& painting : fake::machine.paintings) {
        painted->push_back(Edges(painting.rect));
        std::ranges::for_each(painted->back(), [=](LONG& edge) { edge *= scale; });
    }
    return shown;
}

TEST_F(SceneTest, AtDoubleDensityTheDanceIsTheSameWithEveryPixelABlockOfTwoByTwo) {
    // Full size, told by the screen; shrunk, told by the system's entry, which wins.
    for (auto [width, height, byEntry] : {std::tuple{640, 480, false}, {152, 112, true}}) {
        SCOPED_TRACE(width);
        std::vector<std::array<LONG, 4>> single, doubled;
        fake::Image small = Dance(width, height, &single, 2);
        SetUp();
        if (byEntry) {
            auto entry = reinterpret_cast<FARPROC>(&DoubleDensity);
            fake::machine.libraries["USER32.DLL"] = {{{"GetDpiForSystem", entry}}, true};
        } else {
            fake::SetScreenDpi(192);
        }
        fake::Image expected{2 * width + 1, 2 * height + 1, {}}; // a pixel more than the space
        for (int at = 0, x, y; at < expected.width * expected.height; ++at) {
            std::tie(x, y) = std::tuple{at % expected.width, at / expected.width};
            expected.pixels.push_back(x < 2 * width && y < 2 * height ? small.At(x / 2, y / 2) : 0);
        }
        EXPECT_TRUE(expected == Dance(expected.width, expected.height, &doubled));
        single.back() = {0, 0, expected.width, expected.height}; // the whole window erased
        EXPECT_EQ(single, doubled);
        ExpectNothingHeld();
        SetUp();
    }
}

TEST_F(SceneTest, EverySwapRecolorsToAnotherColorUntilOneFailsTakingTheWindowWithABox) {
    HWND window = Saver("Random=1");
    for (int swap = 0; swap < 6; ++swap) {
        int old = Bears[0].colorIndex;
        Tick(window);
        Tick(window, SwapTimer);
        EXPECT_NE(old, Bears[0].colorIndex);
        ASSERT_TRUE(Bears[0].colorIndex >= 0 && Bears[0].colorIndex < ColorMapCount);
        ExpectFrames(Bears[0]);
        EXPECT_EQ(10, Live(Kind::Bitmap));
    }
    EXPECT_EQ(12, PassedOn(WM_TIMER));

    fake::FailCall("CreateDIBitmap", 7); // the right-facing set done, the left one half
    EXPECT_EQ(0, Tick(window, SwapTimer));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(12, PassedOn(WM_TIMER));
    ExpectNothingHeld();
    ASSERT_EQ(1u, fake::MessageBoxes().size());
    EXPECT_EQ("Timer::SwapColors()", fake::MessageBoxes()[0].text);
    EXPECT_FALSE(fake::MessageBoxes()[0].closedByQuit) << "shown, not closed by the quit";
    MSG quit{};
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the loop still ends";
}

} // namespace
} // namespace polkamoot
