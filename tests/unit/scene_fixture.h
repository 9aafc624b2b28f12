// A fresh machine, host, settings, scene and troupe, and saver windows of any size made the
// way the host makes them, with the profile the test asks for.
#pragma once

#include "animation/animation.h"
#include "animation/random.h"
#include "animation/scene.h"
#include "fake/fake.h"
#include "host_fixture.h"
#include "settings/settings_store.h"

#include <set>
#include <string>

namespace polkamoot {

class SceneTest : public HostTest {
  protected:
    static constexpr std::time_t CalendarTime = 1700000000;

    void SetUp() override {
        HostTest::SetUp();
        Settings = SettingsRecord{};
        ResetScene();
        BearCount = 0;
        for (Bear& bear : Bears) {
            bear = Bear{};
        }
        fake::SetCalendarTime(CalendarTime);
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = HostFrameProc;
        windowClass.lpszClassName = "WindowsScreenSaverClass";
        RegisterClassA(&windowClass);
    }

    static void Profile(const std::string& keys) {
        fake::SetProfileText("control.ini", "[ScreenSaver.Polkamoot]\r\n" + keys);
    }

    // A full-screen saver window, or a preview inside a page of the given size.
    static HWND Saver(int width = 640, int height = 480, bool preview = false) {
        HWND parent = preview ? fake::MakeForeignWindow(width, height) : nullptr;
        HostState.isPreview = preview;
        HostState.saverWindow =
            CreateWindowExA(0, "WindowsScreenSaverClass", preview ? "Preview" : "Screen Saver",
                            preview ? WS_CHILD | WS_VISIBLE : WS_POPUP | WS_VISIBLE, 0, 0, width,
                            height, parent, nullptr, HostState.instance, nullptr);
        return HostState.saverWindow;
    }

    static void Tick(HWND window, UINT_PTR timer = FrameTimer) {
        SendMessageA(window, WM_TIMER, timer, 0);
    }

    // Slots 5, 6, 7 repeat 3, 2, 1 in both sets, and the ten own frames are distinct and live.
    static void ExpectTenFramesRepeated(const Bear& bear) {
        std::set<HBITMAP> own;
        for (const FrameSet* frames : {&bear.rightFrames, &bear.leftFrames}) {
            EXPECT_EQ((*frames)[3], (*frames)[5]);
            EXPECT_EQ((*frames)[2], (*frames)[6]);
            EXPECT_EQ((*frames)[1], (*frames)[7]);
            for (int k = 0; k < OwnFrames; ++k) {
                EXPECT_TRUE(fake::BitmapAlive((*frames)[k]));
                own.insert((*frames)[k]);
            }
        }
        EXPECT_EQ(10u, own.size());
    }

    static void ExpectNothingHeld() {
        for (fake::Kind kind : {fake::Kind::Bitmap, fake::Kind::Dc, fake::Kind::Memory,
                                fake::Kind::Resource, fake::Kind::Timer}) {
            EXPECT_EQ(0, fake::Live(kind)) << static_cast<int>(kind);
        }
    }
};

} // namespace polkamoot
