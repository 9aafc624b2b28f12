#include "sprites/recolor.h"

#include "sprites/dib_conversion.h"

#include "fake/fake.h"
#include "sprite_frames.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace polkamoot {
namespace {

using fake::Kind;

class Recolor : public ::testing::Test {
  protected:
    void SetUp() override { fake::Reset(); }

    static fake::Image RecolorImage(HBITMAP bitmap, int from, int to, int count = 4) {
        HBITMAP recolored = RecolorBitmap(bitmap, ColorMaps[from], ColorMaps[to], count);
        EXPECT_NE(nullptr, recolored);
        EXPECT_NE(bitmap, recolored);
        fake::Image image = fake::BitmapImage(recolored);
        DeleteObject(recolored);
        return image;
    }
};

TEST_F(Recolor, EveryMapGivesItsColorsPixelForPixel) {
    fake::Image frame = frames::RoleFrame(148, 127, true);
    HBITMAP bitmap = fake::MakeBitmap(frame);
    for (int to = 0; to < ColorMapCount; ++to) {
        EXPECT_EQ(frames::Recolored(frame, 0, to), RecolorImage(bitmap, 0, to)) << "map " << to;
    }
    EXPECT_EQ(frame, fake::BitmapImage(bitmap));
    EXPECT_EQ(frame, RecolorImage(bitmap, 0, 0));
    DeleteObject(bitmap);
    EXPECT_EQ(0, fake::Live(Kind::Bitmap));
    EXPECT_EQ(0, fake::Live(Kind::Memory));
    EXPECT_EQ(0, fake::Live(Kind::Dc));
}

TEST_F(Recolor, ChainOfSwapsEqualsTheDirectRecoloring) {
    HBITMAP bitmap = fake::MakeBitmap(frames::RoleFrame(37, 11, false));
    HBITMAP yellow = RecolorBitmap(bitmap, ColorMaps[0], ColorMaps[3], 4);
    HBITMAP cyan = RecolorBitmap(yellow, ColorMaps[3], ColorMaps[5], 4);
    EXPECT_EQ(RecolorImage(bitmap, 0, 5), fake::BitmapImage(cyan));
    DeleteObject(cyan);
    DeleteObject(yellow);
    DeleteObject(bitmap);
}

TEST_F(Recolor, NoCountChangesNothingButStillMakesANewBitmap) {
    fake::Image frame = frames::RoleFrame(9, 4, true);
    HBITMAP bitmap = fake::MakeBitmap(frame);
    EXPECT_EQ(frame, RecolorImage(bitmap, 0, 1, 0));
    EXPECT_EQ(frame, RecolorImage(bitmap, 0, 1, -3));
    DeleteObject(bitmap);
    EXPECT_EQ(0, fake::Live(Kind::Bitmap));
}

TEST_F(Recolor, NullBitmapGivesNull) {
    EXPECT_EQ(nullptr, RecolorBitmap(nullptr, ColorMaps[0], ColorMaps[1], 4));
    EXPECT_EQ(0, fake::Live(Kind::Memory));
}

struct Failure {
    const char* operation;
    int successes;
};

class RecolorFailure : public Recolor, public ::testing::WithParamInterface<Failure> {};

TEST_P(RecolorFailure, ReturnsNullLeavesTheInputAndLeaksNothing) {
    fake::Image frame = frames::RoleFrame(148, 127, true);
    HBITMAP bitmap = fake::MakeBitmap(frame);
    fake::FailCall(GetParam().operation, GetParam().successes);
    EXPECT_EQ(nullptr, RecolorBitmap(bitmap, ColorMaps[0], ColorMaps[4], 4));
    EXPECT_EQ(frame, fake::BitmapImage(bitmap));
    EXPECT_EQ(1, fake::Live(Kind::Bitmap));
    EXPECT_EQ(0, fake::Live(Kind::Memory));
    EXPECT_EQ(0, fake::Live(Kind::Dc));
}

// In call order: the block, its resize, its two locks and the pixel request inside the
// conversion; the recoloring's own lock; the conversion back.
INSTANTIATE_TEST_SUITE_P(EveryStep, RecolorFailure,
                         ::testing::Values(Failure{"GlobalAlloc", 0}, Failure{"GlobalReAlloc", 0},
                                           Failure{"GlobalLock", 0}, Failure{"GlobalLock", 1},
                                           Failure{"GetDIBits", 0}, Failure{"GetDC", 0},
                                           Failure{"GlobalLock", 2}, Failure{"GlobalLock", 3},
                                           Failure{"GetDC", 1}, Failure{"CreateDIBitmap", 0}),
                         [](const auto& info) {
                             return std::string(info.param.operation) +
                                    std::to_string(info.param.successes);
                         });

TEST_F(Recolor, StoredFramesHoldOnlyRoleColorsAndRecolorExactly) {
    const char* names[] = {"bear1R", "bear2R", "bear3R", "bear4R", "bear5R",
                           "bear1L", "bear2L", "bear3L", "bear4L", "bear5L"};
    for (const char* name : names) {
        HBITMAP frame = LoadBitmapA(fake::Instance(), name);
        ASSERT_NE(nullptr, frame) << name;
        fake::Image image = fake::BitmapImage(frame);
        std::set<int> values;
        for (DWORD pixel : image.pixels) {
            values.insert(NearestStandardColor(BYTE(pixel >> 16), BYTE(pixel >> 8), BYTE(pixel)));
        }
        values.erase(12); // the two blue pixels of frame 4
        EXPECT_EQ((std::set<int>{0, 1, 2, 9, 10}), values) << name;
        for (int to = 0; to < ColorMapCount; ++to) {
            EXPECT_EQ(frames::Recolored(image, 0, to), RecolorImage(frame, 0, to)) << name;
        }
        DeleteObject(frame);
    }
    EXPECT_EQ(0, fake::Live(Kind::Bitmap));
}

} // namespace
} // namespace polkamoot
