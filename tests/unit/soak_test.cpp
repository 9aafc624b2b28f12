// A long run through the real message loop on the fake platform, where every handle is
// counted: ticks, small mouse moves that must not close, color changes, and a verifier that
// refuses the first close requests. Nothing may grow while it runs, nothing may stay after.
#include "scene_fixture.h"

#include <array>

namespace polkamoot {
namespace {

constexpr int Refusals = 3;
int verifications;

BOOL PLATFORM_API RefuseFirstRequests(HWND) {
    return ++verifications > Refusals;
}

// The host registers the saver's class itself here, so the scene fixture's own is undone.
class SoakTest : public SceneTest {
  protected:
    void SetUp() override {
        SceneTest::SetUp();
        fake::Reset();
        fake::SetCalendarTime(CalendarTime);
        verifications = 0;
        fake::SetRegistryValue("Control Panel\\Desktop", "ScreenSaveUsePassword", {1, 0, 0, 0});
        fake::InstallLibrary("PASSWORD.CPL", {{"VerifyScreenSavePwd",
                                               reinterpret_cast<FARPROC>(RefuseFirstRequests)}});
        fake::SetWaveDevices(1);
    }

    static std::array<int, 5> Holdings() {
        using fake::Kind;
        return {fake::Live(Kind::Bitmap), fake::Live(Kind::Dc), fake::Live(Kind::Memory),
                fake::Live(Kind::Resource), fake::Live(Kind::Timer)};
    }

    // Runs the saver for `ticks` frame ticks, then asks it to close every 300 ms until it does.
    void Soak(int ticks) {
        int tick = 0;
        std::array<int, 5> settled{};
        int color = -1;
        fake::SetIdle([&] {
            HWND saver = HostState.saverWindow;
            colorChanges += color != -1 && color != Bears[0].colorIndex;
            color = Bears[0].colorIndex;
            if (tick == 10) {
                settled = Holdings();
            } else if (tick > 10 && tick % 50 == 0) {
                EXPECT_EQ(settled, Holdings()) << "at tick " << tick;
            }
            if (tick % 40 == 0) {
                for (int step : {2, -1, -1}) { // never more than 2 pixels from the anchor
                    POINT at{};
                    GetCursorPos(&at);
                    fake::SetCursorPos(at.x + step, at.y);
                    PostMessageA(saver, WM_MOUSEMOVE, 0, 0);
                }
            }
            if (tick >= ticks && tick % 3 == 0) {
                PostMessageA(saver, WM_KEYDOWN, 'A', 0);
            }
            fake::FinishSound();
            fake::AdvanceTime(100);
            ++tick;
            return tick < ticks + 100;
        });
        EXPECT_EQ(0, RunSaverWindow(nullptr));
        EXPECT_FALSE(fake::LoopStarved());
        EXPECT_EQ(Refusals + 1, verifications);
        ExpectNothingHeld();
        EXPECT_EQ(0, fake::Live(fake::Kind::Library));
        EXPECT_FALSE(fake::SaverRunningNotice());
    }

    int colorChanges = 0;
};

TEST_F(SoakTest, FiveBearsWithSoundRunOnWithoutGrowing) {
    Profile("Red=1\r\nBlue=1\r\nGreen=1\r\nYellow=1\r\nMagenta=1\r\nSound=1\r\n");
    Soak(600);
    EXPECT_GT(fake::SoundRequests().size(), 10u) << "the bears met the edges";
    EXPECT_EQ(0, colorChanges);
}

TEST_F(SoakTest, RandomModeChangesColorsEveryMinuteWithoutGrowing) {
    Profile("Random=1\r\nMinutes=1\r\n");
    Soak(1300); // two minutes and a little more
    EXPECT_EQ(2, colorChanges);
}

} // namespace
} // namespace polkamoot
