#include "animation/placement.h"
#include "animation/random.h"

#include <gtest/gtest.h>

namespace polkamoot {
namespace {

constexpr Size Sprite{148, 127};

class Placement : public ::testing::Test {
  protected:
    void SetUp() override {
        for (Bear& bear : Bears) {
            bear = Bear{};
        }
    }

    static void Put(int index, int x, int y) {
        Bears[index].x = x;
        Bears[index].y = y;
    }

    // No pair closer than one drawn size on both axes, and every corner inside the range.
    static void ExpectApartAndInside(int count, const RECT& client, Size drawn) {
        for (int i = 0; i < count; ++i) {
            EXPECT_EQ(0, BearsOverlap(Bears[i], i, count - 1, drawn.width, drawn.height)) << i;
            EXPECT_GE(Bears[i].x, 1);
            EXPECT_GE(Bears[i].y, 1);
            EXPECT_LE(Bears[i].x + drawn.width, std::max<int>(client.right - 1, 2));
            EXPECT_LE(Bears[i].y + drawn.height, std::max<int>(client.bottom - 1, 2));
        }
    }
};

TEST(Random, IsTheClassicGeneratorFromItsStartValue) {
    StartRandom(1);
    for (int expected : {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358}) {
        EXPECT_EQ(expected, DrawRandom());
    }
    DWORD state = 0xFFFFFFFF;
    EXPECT_EQ(((0xFFFFFFFFu * 214013u + 2531011u) >> 16) & 0x7FFF, NextRandom(state));
    EXPECT_EQ(0xFFFFFFFFu * 214013u + 2531011u, state);
}

TEST(FitDrawSize, ScalesWindowsWithoutRoomForASpriteAndItsMargin) {
    struct Case {
        LONG right, bottom;
        Size drawn;
        int speed;
    };
    const Case cases[] = {
        {640, 480, {148, 127}, 10}, // full size, placement range 1..491 x 1..352
        {150, 129, {148, 127}, 10}, // the smallest window that still has one position
        {152, 112, {25, 21}, 1},    // lower than a sprite
        {147, 500, {24, 20}, 1},    // narrower than a sprite
        {148, 500, {24, 20}, 1},    // exactly as wide: no position inside the margin
        {149, 500, {24, 20}, 1},    // one pixel wider: still none
        {640, 127, {106, 90}, 1},   // exactly as high
        {640, 128, {106, 90}, 1},   // one pixel higher
        {1000, 128, {24, 21}, 1},   // a sixth of the width would be taller than the window
        {5, 5, {1, 1}, 1},          {0, 0, {1, 1}, 1},
    };
    for (const Case& c : cases) {
        int speed = StartingSpeed;
        Size drawn = FitDrawSize(RECT{0, 0, c.right, c.bottom}, Sprite, &speed);
        EXPECT_EQ(c.drawn.width, drawn.width) << c.right << " x " << c.bottom;
        EXPECT_EQ(c.drawn.height, drawn.height) << c.right << " x " << c.bottom;
        EXPECT_EQ(c.speed, speed) << c.right << " x " << c.bottom;
    }
    int slow = 5;
    FitDrawSize(RECT{0, 0, 100, 100}, Sprite, &slow);
    EXPECT_EQ(2, slow);
    int any = StartingSpeed;
    EXPECT_EQ(1, FitDrawSize(RECT{0, 0, 1, 1}, Size{0, 0}, &any).height) << "no division by 0";
}

TEST_F(Placement, CornersWithinOneDrawnSizeOverlapTouchingIncluded) {
    Put(0, 200, 200);
    Bear bear{};
    struct Case {
        int x, y, expected;
    };
    const Case cases[] = {
        {200 + 148, 200 + 127, 1}, {200 - 148, 200 - 127, 1},
        {200 + 148, 200 - 127, 1}, {200 + 149, 200, 0},
        {200, 200 + 128, 0},       {200 - 149, 200, 0},
        {200, 200 - 128, 0},       {250, 150, 1},
    };
    for (const Case& c : cases) {
        bear.x = c.x;
        bear.y = c.y;
        EXPECT_EQ(c.expected, BearsOverlap(bear, 1, 0, 148, 127)) << c.x << ", " << c.y;
    }
    Put(0, 10, 10); // the low bounds are raised to 0, so a corner far above-left is clear
    bear.x = -200;
    bear.y = 0;
    EXPECT_EQ(0, BearsOverlap(bear, 1, 0, 148, 127));
    bear.x = 0;
    EXPECT_EQ(1, BearsOverlap(bear, 1, 0, 148, 127));
    EXPECT_EQ(0, BearsOverlap(bear, 1, -1, 148, 127));
}

TEST_F(Placement, HighestOverlappingPositionIsReportedAndTheBearItselfSkipped) {
    Put(0, 100, 100);
    Put(1, 500, 100);
    Put(2, 120, 110);
    Put(3, 110, 100);
    EXPECT_EQ(4, BearsOverlap(Bears[0], 0, 3, 148, 127));
    EXPECT_EQ(3, BearsOverlap(Bears[0], 0, 2, 148, 127));
    EXPECT_EQ(3, BearsOverlap(Bears[3], 3, 3, 148, 127));
    EXPECT_EQ(0, BearsOverlap(Bears[1], 1, 3, 148, 127));
}

TEST_F(Placement, DrawsComeInTheOrderDirectionFrameThenPositionPairs) {
    // Two bears on a 640 x 480 client, from a start value whose first place for bear 1 is
    // taken, so it draws a second pair.
    const RECT client{0, 0, 640, 480};
    for (DWORD start = 1;; ++start) {
        DWORD state = start;
        int r[12];
        for (int& draw : r) {
            draw = NextRandom(state);
        }
        int x0 = r[3] % 491 + 1, y0 = r[4] % 352 + 1;
        int x1 = r[8] % 491 + 1, y1 = r[9] % 352 + 1;
        if (std::abs(x1 - x0) > 148 || std::abs(y1 - y0) > 127) {
            continue;
        }
        int x2 = r[10] % 491 + 1, y2 = r[11] % 352 + 1;
        if (std::abs(x2 - x0) <= 148 && std::abs(y2 - y0) <= 127) {
            continue;
        }
        StartRandom(start);
        ASSERT_EQ(2, PlaceBears(2, client, Sprite, 10));
        const int* draws[] = {r, r + 5};
        for (int i = 0; i < 2; ++i) {
            const Bear& bear = Bears[i];
            EXPECT_EQ(draws[i][0] % 2 ? -10 : 10, bear.dx) << i;
            EXPECT_EQ(draws[i][1] % 2 ? -10 : 10, bear.dy) << i;
            EXPECT_EQ(bear.dx > 0 ? Bears[i].rightFrames : Bears[i].leftFrames, bear.currentFrames);
            EXPECT_EQ(draws[i][2] % 8, bear.frameIndex) << i;
        }
        EXPECT_EQ(x0, Bears[0].x);
        EXPECT_EQ(y0, Bears[0].y);
        EXPECT_EQ(x2, Bears[1].x);
        EXPECT_EQ(y2, Bears[1].y);
        EXPECT_EQ(NextRandom(state), DrawRandom()) << "no draw more";
        return;
    }
}

TEST_F(Placement, AlwaysEndsWithBearsApartDroppingThoseWithoutRoom) {
    struct Case {
        RECT client;
        int fewest, most;
    };
    const Case cases[] = {
        {{0, 0, 640, 480}, 4, 5}, // four can block a fifth
        {{0, 0, 290, 250}, 1, 1}, // any two places overlap
        {{0, 0, 450, 200}, 2, 3}, // three in a row at best
        {{0, 0, 5, 5}, 1, 4},     // tiny: 1 x 1 bears, four corners at most
        {{0, 0, 0, 0}, 1, 1},
    };
    for (const Case& c : cases) {
        int speed = StartingSpeed;
        Size drawn = FitDrawSize(c.client, Sprite, &speed);
        for (DWORD start = 0; start < 40; ++start) {
            StartRandom(start * 7919);
            int placed = PlaceBears(MaxBears, c.client, drawn, speed);
            ASSERT_GE(placed, c.fewest) << c.client.right << " from " << start;
            ASSERT_LE(placed, c.most) << c.client.right << " from " << start;
            ExpectApartAndInside(placed, c.client, drawn);
        }
    }
}

} // namespace
} // namespace polkamoot
