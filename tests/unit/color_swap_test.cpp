#include "scene_fixture.h"

#include "fake/fake_dialog.h"
#include "sprites/color_maps.h"
#include "sprites/recolor.h"

namespace polkamoot {
namespace {

class ColorSwap : public SceneTest {
  protected:
    void SetUp() override {
        SceneTest::SetUp();
        Profile("Random=1\r\nMinutes=1\r\n");
        window = Saver();
    }

    // The stored frame recolored straight from map 0: what a chain of swaps must come to.
    static fake::Image Expected(const char* name, int colorIndex) {
        HBITMAP stored = LoadBitmapA(fake::Instance(), name);
        HBITMAP recolored = RecolorBitmap(stored, ColorMaps[0], ColorMaps[colorIndex], 4);
        fake::Image image = fake::BitmapImage(recolored);
        DeleteObject(recolored);
        DeleteObject(stored);
        return image;
    }

    HWND window = nullptr;
};

TEST_F(ColorSwap, EverySwapChangesTheColorAndKeepsTheSlotsAndTheDance) {
    ASSERT_EQ(1, BearCount);
    Bear& bear = Bears[0];
    const Bear before = bear;
    std::set<int> seen;
    for (int swap = 0; swap < 24; ++swap) {
        int old = bear.colorIndex;
        Tick(window, SwapTimer);
        EXPECT_NE(old, bear.colorIndex);
        ASSERT_GE(bear.colorIndex, 0);
        ASSERT_LT(bear.colorIndex, ColorMapCount);
        seen.insert(bear.colorIndex);
        ExpectTenFramesRepeated(bear);
        EXPECT_EQ(10, fake::Live(fake::Kind::Bitmap));
    }
    EXPECT_EQ(6u, seen.size()) << "cyan too";
    EXPECT_EQ(Expected("bear2R", bear.colorIndex), fake::BitmapImage(bear.rightFrames[1]));
    EXPECT_EQ(Expected("bear5L", bear.colorIndex), fake::BitmapImage(bear.leftFrames[4]));
    EXPECT_EQ(before.x, bear.x);
    EXPECT_EQ(before.dy, bear.dy);
    EXPECT_EQ(before.frameIndex, bear.frameIndex);
    EXPECT_EQ(before.currentFrames, bear.currentFrames);
    EXPECT_EQ(24, CountOf(fake::DefaultCalls(), WM_TIMER)) << "passed on";

    DestroyWindow(window);
    ExpectNothingHeld();
}

TEST_F(ColorSwap, ColoringChangesOnceAMinute) {
    int color = Bears[0].colorIndex;
    fake::AdvanceTime(59999);
    fake::DispatchAll();
    EXPECT_EQ(color, Bears[0].colorIndex);
    fake::AdvanceTime(1);
    fake::DispatchAll();
    EXPECT_NE(color, Bears[0].colorIndex);
}

TEST_F(ColorSwap, FailureTakesTheWindowThenNamesTheStepInABox) {
    for (int successes : {0, 3, 7}) {
        if (successes) {
            SetUp();
        }
        SetFocus(window);
        int timersPassedOn = CountOf(fake::DefaultCalls(), WM_TIMER);
        fake::FailCall("CreateDIBitmap", successes);
        EXPECT_EQ(0, SendMessageA(window, WM_TIMER, SwapTimer, 0));
        EXPECT_FALSE(IsWindow(window));
        EXPECT_EQ(timersPassedOn, CountOf(fake::DefaultCalls(), WM_TIMER)) << "not passed on";
        ExpectNothingHeld();
        std::vector<fake::MessageBoxCall> boxes = fake::MessageBoxes();
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ("Timer::SwapColors()", boxes[0].text);
        EXPECT_EQ("Error", boxes[0].caption) << "the platform's own";
        EXPECT_EQ(MB_ICONHAND, boxes[0].type);
        EXPECT_EQ(nullptr, boxes[0].owner) << "the focus went with the window";
        EXPECT_FALSE(boxes[0].closedByQuit) << "the user sees it";
        MSG quit{};
        EXPECT_FALSE(GetMessageA(&quit, nullptr, 0, 0)) << "the loop still ends";
        EXPECT_FALSE(fake::LoopStarved());
    }
}

} // namespace
} // namespace polkamoot
