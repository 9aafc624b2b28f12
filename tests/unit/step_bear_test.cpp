#include "animation/step_bear.h"

#include "scene_fixture.h"

#include <vector>

namespace polkamoot {
namespace {

constexpr RECT Client{0, 0, 640, 480};
constexpr Size Drawn{148, 127};

// The motion alone: a troupe whose frames are mere tokens.
class Motion : public ::testing::Test {
  protected:
    void SetUp() override {
        BearCount = 0;
        for (Bear& bear : Bears) {
            bear = Bear{};
        }
    }

    static Bear& Add(int x, int y, int dx, int dy) {
        Bear& bear = Bears[BearCount++];
        for (int k = 0; k < FrameSlots; ++k) {
            bear.rightFrames[k] = reinterpret_cast<HBITMAP>(std::uintptr_t{0x100} + k);
            bear.leftFrames[k] = reinterpret_cast<HBITMAP>(std::uintptr_t{0x200} + k);
        }
        bear.currentFrames = dx > 0 ? bear.rightFrames : bear.leftFrames;
        bear.x = x;
        bear.y = y;
        bear.dx = dx;
        bear.dy = dy;
        bear.frameIndex = 7;
        return bear;
    }
};

TEST_F(Motion, EdgesAreInsideUpToTheLastPixelAndBounceOnePixelFurther) {
    struct Case {
        int x, y, dx, dy;
        bool bounceX, bounceY;
    };
    const Case cases[] = {
        {482, 200, 10, 10, false, false}, // x + width = right
        {483, 200, 10, 10, true, false},  // one more
        {10, 200, -10, 10, false, false}, // x = 0
        {9, 200, -10, 10, true, false},   // x = -1
        {200, 343, 10, 10, false, false}, // y + height = bottom
        {200, 344, 10, 10, false, true},  // one more
        {200, 10, 10, -10, false, false}, // y = 0
        {200, 9, 10, -10, false, true},   // y = -1
        {483, 344, 10, 10, true, true},   // a corner: two cries
    };
    for (const Case& c : cases) {
        SetUp();
        Bear& bear = Add(c.x, c.y, c.dx, c.dy);
        StepPlan plan = PlanStep(bear, 0, Client, Drawn);
        bool moved = !c.bounceX && !c.bounceY;
        EXPECT_EQ(moved ? c.x + c.dx : c.x, bear.x) << c.x << ", " << c.y;
        EXPECT_EQ(moved ? c.y + c.dy : c.y, bear.y) << c.x << ", " << c.y;
        EXPECT_EQ(c.bounceX ? -c.dx : c.dx, bear.dx) << c.x << ", " << c.y;
        EXPECT_EQ(c.bounceY ? -c.dy : c.dy, bear.dy) << c.x << ", " << c.y;
        EXPECT_EQ(int{c.bounceX} + int{c.bounceY}, plan.cries) << c.x << ", " << c.y;
        EXPECT_EQ(0, bear.frameIndex) << "advances on every tick";
        FrameSet& facing = bear.dx > 0 ? bear.rightFrames : bear.leftFrames;
        EXPECT_EQ(facing, bear.currentFrames) << "turns in the same tick";
        EXPECT_EQ(facing[0], plan.frame);
    }
}

TEST_F(Motion, CollisionsReverseTheClearAxesUnlessTheOtherAxisHitAnEdge) {
    // Bear 0 moves (+10, +10) from (x, y); bear 1 stands at (ox, oy).
    struct Case {
        const char* what;
        int x, y, ox, oy;
        int dx, dy, cries;
    };
    const Case cases[] = {
        {"beside, no edge", 300, 200, 453, 200, -10, 10, 0},
        {"beside, bottom edge", 300, 344, 453, 344, 10, -10, 1},
        {"below, no edge", 300, 200, 300, 332, 10, -10, 0},
        {"below, right edge", 483, 200, 483, 332, -10, 10, 1},
        {"diagonal", 300, 200, 453, 332, -10, -10, 0},
        {"nowhere near", 100, 100, 453, 332, 10, 10, 0},
    };
    for (const Case& c : cases) {
        SetUp();
        Bear& bear = Add(c.x, c.y, 10, 10);
        Add(c.ox, c.oy, -10, 10);
        StepPlan plan = PlanStep(bear, 0, Client, Drawn);
        EXPECT_EQ(c.dx, bear.dx) << c.what;
        EXPECT_EQ(c.dy, bear.dy) << c.what;
        EXPECT_EQ(c.cries, plan.cries) << c.what;
        bool stays = c.ox - c.x < 200;
        EXPECT_EQ(stays ? c.x : c.x + 10, bear.x) << c.what;
        EXPECT_EQ(stays ? c.y : c.y + 10, bear.y) << c.what;
    }
}

TEST_F(Motion, StripsCoverTheOldRectangleLessTheNewOneExactly) {
    for (int dx : {-10, 10}) {
        for (int dy : {-10, 10}) {
            const POINT from{100, 50}, to{100 + dx, 50 + dy};
            RECT a = StripA(from, to, Drawn), b = StripB(from, to, Drawn);
            auto in = [](const RECT& r, int x, int y) {
                return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
            };
            const RECT old{from.x, from.y, from.x + 148, from.y + 127};
            const RECT now{to.x, to.y, to.x + 148, to.y + 127};
            for (int y = 30; y < 200; ++y) {
                for (int x = 80; x < 270; ++x) {
                    bool cleared = in(a, x, y) || in(b, x, y);
                    ASSERT_EQ(in(old, x, y) && !in(now, x, y), cleared)
                        << dx << ", " << dy << " at " << x << ", " << y;
                }
            }
        }
    }
    const RECT empty = StripA(POINT{5, 5}, POINT{5, 5}, Drawn);
    EXPECT_EQ(empty.left, empty.right);
}

class Drawing : public SceneTest {
  protected:
    void SetUp() override {
        SceneTest::SetUp();
        fake::SetWaveDevices(1);
        Profile("Sound=1\r\n");
        window = Saver();
    }

    static void Place(int x, int y, int dx, int dy) {
        Bears[0].x = x;
        Bears[0].y = y;
        Bears[0].dx = dx;
        Bears[0].dy = dy;
    }

    // A white client area, so that what the step blackens shows.
    void PaintWhite() {
        HBITMAP white =
            fake::MakeBitmap(fake::Image{640, 480, std::vector<DWORD>(640 * 480, 0xFFFFFF)});
        HDC dc = GetDC(window);
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ previous = SelectObject(source, white);
        StretchBlt(dc, 0, 0, 640, 480, source, 0, 0, 640, 480, SRCCOPY);
        SelectObject(source, previous);
        DeleteDC(source);
        ReleaseDC(window, dc);
        DeleteObject(white);
        fake::ClearPaintings();
    }

    static void ExpectRect(const RECT& expected, const RECT& actual) {
        EXPECT_EQ(expected.left, actual.left);
        EXPECT_EQ(expected.top, actual.top);
        EXPECT_EQ(expected.right, actual.right);
        EXPECT_EQ(expected.bottom, actual.bottom);
    }

    // The frame at the bear's place, black where it was and is no more, white elsewhere.
    void ExpectScreen(HBITMAP frame, const RECT& old) {
        fake::Image image = fake::BitmapImage(frame);
        fake::Image surface = fake::Surface(window);
        const Bear& bear = Bears[0];
        for (int y = 0; y < surface.height; ++y) {
            for (int x = 0; x < surface.width; ++x) {
                bool drawn = x >= bear.x && x < bear.x + 148 && y >= bear.y && y < bear.y + 127;
                bool left = x >= old.left && x < old.right && y >= old.top && y < old.bottom;
                DWORD expected = drawn  ? image.At(x - bear.x, y - bear.y)
                                 : left ? 0
                                        : DWORD{0xFFFFFF};
                ASSERT_EQ(expected, surface.At(x, y)) << x << ", " << y;
            }
        }
    }

    HWND window = nullptr;
};

TEST_F(Drawing, DiagonalStepDrawsTheSpriteAndBlackensOnlyWhatItLeft) {
    PaintWhite();
    Place(100, 50, 10, -10);
    Tick(window);
    std::vector<fake::Painting> paintings = fake::Paintings();
    ASSERT_EQ(3u, paintings.size()) << "the sprite and two strips, nothing more";
    EXPECT_EQ(window, paintings[0].window);
    ExpectRect(RECT{110, 40, 258, 167}, paintings[0].rect);
    ExpectRect(RECT{100, 50, 110, 177}, paintings[1].rect);
    ExpectRect(RECT{100, 167, 248, 177}, paintings[2].rect);
    EXPECT_EQ(0, fake::Live(fake::Kind::Dc)) << "contexts do not outlive the step";
    ExpectScreen(Bears[0].rightFrames[Bears[0].frameIndex], RECT{100, 50, 248, 177});
    EXPECT_TRUE(fake::SoundRequests().empty());
}

TEST_F(Drawing, BounceTickRedrawsInPlaceFacingBackAndBlackensNothing) {
    PaintWhite();
    Place(483, 200, 10, 10);
    Tick(window);
    ASSERT_EQ(1u, fake::Paintings().size());
    ExpectRect(RECT{483, 200, 631, 327}, fake::Paintings()[0].rect);
    ExpectScreen(Bears[0].leftFrames[Bears[0].frameIndex], RECT{});
}

TEST_F(Drawing, OneCryAtATimeTheRestDroppedNeverQueued) {
    Place(483, 344, 10, 10); // a corner
    Tick(window);
    std::vector<fake::SoundRequest> requests = fake::SoundRequests();
    ASSERT_EQ(2u, requests.size());
    for (const fake::SoundRequest& request : requests) {
        EXPECT_EQ(Bears[0].soundData, request.sound);
        EXPECT_EQ(23u, request.flags);
    }
    EXPECT_TRUE(requests[0].played);
    EXPECT_FALSE(requests[1].played);

    Place(483, 100, 10, 10); // still crying
    Tick(window);
    EXPECT_FALSE(fake::SoundRequests().back().played);
    fake::FinishSound();
    Place(483, 100, 10, 10);
    Tick(window);
    EXPECT_TRUE(fake::SoundRequests().back().played);
    EXPECT_EQ(4u, fake::SoundRequests().size());
}

TEST_F(SceneTest, PreviewSmallerThanASpriteDrawsShrunkBearsInTheirColors) {
    HWND window = Saver(152, 112, true);
    ASSERT_EQ(1, BearCount);
    Tick(window);
    const Bear& bear = Bears[0];
    fake::Image surface = fake::Surface(window);
    int red = 0, other = 0;
    for (int y = 0; y < surface.height; ++y) {
        for (int x = 0; x < surface.width; ++x) {
            DWORD pixel = surface.At(x, y);
            bool inside = x >= bear.x && x < bear.x + 25 && y >= bear.y && y < bear.y + 21;
            if (!inside) {
                ASSERT_EQ(0u, pixel) << x << ", " << y;
            }
            red += pixel == fake::Rgb(255, 0, 0);
            other += pixel != 0 && pixel != fake::Rgb(255, 0, 0);
        }
    }
    // One pixel of each group keeps the body red.
    EXPECT_GT(red, 100);
    EXPECT_GT(red, other);
}

} // namespace
} // namespace polkamoot
