#include "scene_fixture.h"

#include "sprites/color_maps.h"

#include <vector>

namespace polkamoot {
namespace {

using fake::Kind;

LRESULT createAnswer = -7;

// The saver's own chain, noting what WM_CREATE was answered.
LRESULT NotingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = HostFrameProc(window, message, wParam, lParam);
    if (message == WM_CREATE) {
        createAnswer = result;
    }
    return result;
}

class SceneSetup : public SceneTest {
  protected:
    static std::vector<int> Draws(int count) {
        DWORD state = static_cast<DWORD>(CalendarTime);
        std::vector<int> draws;
        for (int i = 0; i < count; ++i) {
            draws.push_back(NextRandom(state));
        }
        return draws;
    }
};

TEST_F(SceneSetup, WithoutAProfileOneRedBearDancesAtFullSizeOnTheFrameTimerAlone) {
    HWND window = Saver();
    ASSERT_NE(nullptr, window);
    ASSERT_EQ(1, BearCount);
    EXPECT_EQ(0, Bears[0].colorIndex);
    ExpectTenFramesRepeated(Bears[0]);
    EXPECT_EQ(10, fake::Live(Kind::Bitmap));
    EXPECT_EQ(0, fake::Live(Kind::Dc));
    EXPECT_EQ(0, fake::Live(Kind::Memory));
    EXPECT_EQ(0, fake::Live(Kind::Resource)) << "sound is off";

    HBITMAP stored = LoadBitmapA(fake::Instance(), "BEAR4L");
    EXPECT_EQ(fake::BitmapImage(stored), fake::BitmapImage(Bears[0].leftFrames[3]));
    DeleteObject(stored);

    ASSERT_EQ(1u, fake::Timers().size());
    EXPECT_EQ(FrameTimer, fake::Timers()[0].id);
    EXPECT_EQ(100u, fake::Timers()[0].period);
    EXPECT_EQ(FrameTimer, Scene.FrameTimerStarted);
    EXPECT_EQ(0, Scene.SwapTimerStarted);
    EXPECT_TRUE(fake::CursorHidden()) << "the cursor in force before the wait cursor";
}

TEST_F(SceneSetup, DrawnSizeSpeedAndPlacesFollowTheWindow) {
    struct Case {
        int width, height;
        bool preview;
        Size drawn;
        int speed;
    };
    const Case cases[] = {
        {640, 480, false, {148, 127}, 10},
        {152, 112, true, {25, 21}, 1},
        {147, 500, true, {24, 20}, 1},
        {0, 0, true, {1, 1}, 1}, // nothing to divide by: one bear, bouncing in place
    };
    for (const Case& c : cases) {
        SetUp();
        Profile("Red=1\r\nBlue=1\r\n");
        ASSERT_NE(nullptr, Saver(c.width, c.height, c.preview));
        EXPECT_EQ(148, Scene.SpriteSize.bmWidth);
        EXPECT_EQ(127, Scene.SpriteSize.bmHeight);
        EXPECT_EQ(c.drawn.width, Scene.DrawSize.width) << c.width;
        EXPECT_EQ(c.drawn.height, Scene.DrawSize.height) << c.width;
        EXPECT_EQ(c.speed, Scene.BearSpeed) << c.width;
        for (int i = 0; i < BearCount; ++i) {
            EXPECT_EQ(c.speed, std::abs(Bears[i].dx));
            EXPECT_EQ(c.speed, std::abs(Bears[i].dy));
            EXPECT_GE(Bears[i].x, 1);
            EXPECT_LE(Bears[i].x, std::max(c.width - c.drawn.width - 1, 1));
            EXPECT_GE(Bears[i].y, 1);
            EXPECT_LE(Bears[i].y, std::max(c.height - c.drawn.height - 1, 1));
        }
        EXPECT_EQ(c.width > 0 ? 2 : 1, BearCount) << c.width;
    }
}

TEST_F(SceneSetup, DrawsStartFromTheCalendarTimeColorFirstInRandomModeOnly) {
    Profile("Random=1\r\n");
    ASSERT_NE(nullptr, Saver());
    std::vector<int> r = Draws(6);
    EXPECT_EQ(r[0] % 6, Bears[0].colorIndex);
    EXPECT_EQ(r[1] % 2 ? -10 : 10, Bears[0].dx);
    EXPECT_EQ(r[2] % 2 ? -10 : 10, Bears[0].dy);
    EXPECT_EQ(r[3] % 8, Bears[0].frameIndex);
    EXPECT_EQ(r[4] % 491 + 1, Bears[0].x);
    EXPECT_EQ(r[5] % 352 + 1, Bears[0].y);

    SetUp();
    Profile("Yellow=1\r\nRed=0\r\n");
    ASSERT_NE(nullptr, Saver());
    EXPECT_EQ(3, Bears[0].colorIndex);
    EXPECT_EQ(r[0] % 2 ? -10 : 10, Bears[0].dx);
    EXPECT_EQ(r[3] % 491 + 1, Bears[0].x);
    EXPECT_EQ(r[4] % 352 + 1, Bears[0].y);
}

TEST_F(SceneSetup, SoundsGoByTroupePositionAndOnlyWhenSoundIsOn) {
    fake::SetWaveDevices(1);
    Profile("Red=0\r\nGreen=1\r\nMagenta=1\r\nSound=1\r\n");
    ASSERT_NE(nullptr, Saver());
    ASSERT_EQ(2, BearCount);
    EXPECT_EQ(2, Bears[0].colorIndex);
    EXPECT_EQ(4, Bears[1].colorIndex);
    EXPECT_EQ(fake::ResourceBytes("WAVE", "SND_OW", nullptr), Bears[0].soundData);
    EXPECT_EQ(fake::ResourceBytes("WAVE", "SND_OOH", nullptr), Bears[1].soundData);
    EXPECT_EQ(2, fake::Live(Kind::Resource));

    SetUp();
    fake::SetWaveDevices(1);
    fake::FailCall("LoadResource", 1);
    Profile("Blue=1\r\nGreen=1\r\nSound=1\r\n");
    ASSERT_NE(nullptr, Saver());
    ASSERT_EQ(3, BearCount);
    EXPECT_NE(nullptr, Bears[0].soundData);
    EXPECT_EQ(nullptr, Bears[1].soundResource) << "silent, nothing reported";
    EXPECT_EQ(nullptr, Bears[1].soundData);
    EXPECT_NE(nullptr, Bears[2].soundData);

    SetUp();
    Profile("Sound=1\r\n"); // no wave-output device
    ASSERT_NE(nullptr, Saver());
    EXPECT_EQ(nullptr, Bears[0].soundResource);
    EXPECT_EQ(0, fake::Live(Kind::Resource));
}

TEST_F(SceneSetup, SwapTimerRunsInRandomModeEveryMinutesAndNeverFasterThanAMinute) {
    const std::pair<const char*, UINT> cases[] = {
        {"1", 60000}, {"0", 60000}, {"65536", 60000}, {"60", 3600000}, {"65535", 3932100000u}};
    for (auto [minutes, period] : cases) {
        SetUp();
        Profile(std::string("Random=1\r\nMinutes=") + minutes + "\r\n");
        ASSERT_NE(nullptr, Saver());
        std::vector<fake::TimerInfo> timers = fake::Timers();
        ASSERT_EQ(2u, timers.size());
        EXPECT_EQ(SwapTimer, timers[1].id);
        EXPECT_EQ(period, timers[1].period) << minutes;
        EXPECT_EQ(SwapTimer, Scene.SwapTimerStarted);
    }
}

TEST_F(SceneSetup, BearsWithoutRoomAreLeftOutAndReleasedAtOnce) {
    fake::SetWaveDevices(1);
    Profile("Red=1\r\nBlue=1\r\nGreen=1\r\nYellow=1\r\nMagenta=1\r\nSound=1\r\n");
    HWND window = Saver(290, 250); // any two places overlap
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(1, BearCount);
    EXPECT_EQ(10, fake::Live(Kind::Bitmap));
    EXPECT_EQ(1, fake::Live(Kind::Resource));
    DestroyWindow(window);
    ExpectNothingHeld();
}

TEST_F(SceneSetup, FailedSpriteDestroysTheWindowAnswersZeroAndLeavesNothing) {
    const std::pair<const char*, int> failures[] = {
        {"LoadBitmapA", 0},    {"LoadBitmapA", 3},     {"LoadBitmapA", 5},  {"LoadBitmapA", 9},
        {"CreateDIBitmap", 0}, {"CreateDIBitmap", 17}, {"GlobalAlloc", 12}, {"GetDIBits", 25}};
    for (auto [operation, successes] : failures) {
        SetUp();
        WNDCLASSA noting{};
        noting.lpfnWndProc = NotingProc;
        noting.lpszClassName = "Noting";
        RegisterClassA(&noting);
        Profile("Red=1\r\nBlue=1\r\nGreen=1\r\n");
        fake::FailCall(operation, successes);
        createAnswer = -7;
        EXPECT_EQ(nullptr, CreateWindowExA(0, "Noting", "Screen Saver", WS_POPUP, 0, 0, 640, 480,
                                           nullptr, nullptr, HostState.instance, nullptr))
            << operation << " " << successes;
        EXPECT_EQ(0, createAnswer);
        EXPECT_EQ(0, CountOf(fake::DefaultCalls(), WM_CREATE)) << "not passed on";
        EXPECT_EQ(1, CountOf(fake::DefaultCalls(), WM_DESTROY));
        ExpectNothingHeld();
        EXPECT_EQ(0, fake::Live(Kind::Window));
        EXPECT_TRUE(fake::CursorHidden()) << "the cursor in force is put back";
    }
}

TEST_F(SceneSetup, EraseBackgroundFillsTheClientAsTakenAtSetupAndIsNotPassedOn) {
    HWND window = Saver(300, 200);
    HDC dc = GetDC(window);
    fake::ClearPaintings();
    EXPECT_EQ(0, SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0));
    ReleaseDC(window, dc);
    std::vector<fake::Painting> paintings = fake::Paintings();
    ASSERT_EQ(1u, paintings.size());
    EXPECT_EQ(window, paintings[0].window);
    EXPECT_EQ(300, paintings[0].rect.right);
    EXPECT_EQ(200, paintings[0].rect.bottom);
    EXPECT_EQ(0, CountOf(fake::DefaultCalls(), WM_ERASEBKGND));
}

TEST_F(SceneSetup, TeardownStopsEverythingAndReleasesEveryBitmapAndSound) {
    fake::SetWaveDevices(1);
    Profile("Red=1\r\nBlue=1\r\nGreen=1\r\nYellow=1\r\nMagenta=1\r\nSound=1\r\n");
    HWND window = Saver(800, 600);
    ASSERT_EQ(5, BearCount);
    EXPECT_EQ(50, fake::Live(Kind::Bitmap));
    EXPECT_EQ(5, fake::Live(Kind::Resource));
    Tick(window);
    DestroyWindow(window);
    ExpectNothingHeld();
    ASSERT_FALSE(fake::SoundRequests().empty());
    EXPECT_EQ(nullptr, fake::SoundRequests().back().sound);
    EXPECT_EQ(0u, fake::SoundRequests().back().flags);
    EXPECT_EQ(1, CountOf(fake::DefaultCalls(), WM_DESTROY)) << "passed on";

    SetUp();
    Profile("Red=1\r\nBlue=1\r\n"); // sound off: no stop request
    DestroyWindow(Saver());
    ExpectNothingHeld();
    EXPECT_TRUE(fake::SoundRequests().empty());
}

TEST_F(SceneSetup, TimerHandledInsideAnotherIsPassedOnWithoutATick) {
    HWND window = Saver();
    int frame = Bears[0].frameIndex;
    fake::ClearPaintings();
    Scene.TimerBusy = 1;
    Tick(window);
    EXPECT_EQ(frame, Bears[0].frameIndex);
    EXPECT_TRUE(fake::Paintings().empty());
    EXPECT_EQ(1, CountOf(fake::DefaultCalls(), WM_TIMER));

    Scene.TimerBusy = 0;
    Tick(window);
    Tick(window, 7); // not the animation's
    EXPECT_EQ((frame + 1) % 8, Bears[0].frameIndex);
    EXPECT_EQ(0, Scene.TimerBusy);
    EXPECT_EQ(3, CountOf(fake::DefaultCalls(), WM_TIMER));
}

} // namespace
} // namespace polkamoot
