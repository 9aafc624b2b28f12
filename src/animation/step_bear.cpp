#include "animation/step_bear.h"

#include "animation/placement.h"

namespace polkamoot {

namespace {

void DrawStep(HWND window, const Bear& bear, const StepPlan& plan) {
    HDC dc = GetDC(window);
    if (!dc) {
        return;
    }
    HDC source = CreateCompatibleDC(dc);
    // Shrinking keeps one pixel of each group instead of blending them to black.
    SetStretchBltMode(dc, COLORONCOLOR);
    HGDIOBJ previous = SelectObject(source, plan.frame);
    StretchBlt(dc, bear.x, bear.y, Scene.DrawSize.width, Scene.DrawSize.height, source, 0, 0,
               Scene.SpriteSize.bmWidth, Scene.SpriteSize.bmHeight, SRCCOPY);
    SelectObject(source, previous);
    // A strip of an axis the bear did not move along is empty, and fills nothing.
    auto black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    FillRect(dc, &plan.stripA, black);
    FillRect(dc, &plan.stripB, black);
    DeleteDC(source);
    ReleaseDC(window, dc);
}

} // namespace

StepPlan PlanStep(Bear& bear, int index, const RECT& client, Size drawn) {
    StepPlan plan{};
    bear.frameIndex = (bear.frameIndex + 1) % FrameSlots;

    const POINT from{bear.x, bear.y};
    bear.x += bear.dx;
    bear.y += bear.dy;
    POINT rest{bear.x, bear.y};
    bool verticalBounce = false;
    bool horizontalBounce = false;

    if (bear.y + drawn.height > client.bottom || bear.y < client.top) {
        rest = from;
        bear.dy = -bear.dy;
        verticalBounce = true;
        ++plan.cries;
    }
    if (bear.x + drawn.width > client.right || bear.x < client.left) {
        bear.dx = -bear.dx;
        rest = from;
        horizontalBounce = true;
        ++plan.cries;
    }

    // Tested at the moved position even after an edge bounce; an edge bounce on one axis holds
    // back the collision's reversal on the other.
    int hit = BearsOverlap(bear, index, BearCount - 1, drawn.width, drawn.height);
    if (hit != 0) {
        const Bear& other = Bears[hit - 1];
        bool clearHorizontally = from.x + drawn.width <= other.x || other.x + drawn.width <= from.x;
        bool clearVertically = from.y + drawn.height <= other.y || other.y + drawn.height <= from.y;
        if (clearHorizontally && !verticalBounce) {
            bear.dx = -bear.dx;
        }
        if (clearVertically && !horizontalBounce) {
            bear.dy = -bear.dy;
        }
        rest = from;
    }

    bear.currentFrames = bear.dx > 0 ? bear.rightFrames : bear.leftFrames;
    bear.x = rest.x;
    bear.y = rest.y;

    plan.frame = bear.currentFrames[bear.frameIndex];
    plan.stripA = StripA(from, rest, drawn);
    plan.stripB = StripB(from, rest, drawn);
    return plan;
}

RECT StripA(POINT from, POINT to, Size drawn) {
    if (from.x < to.x) {
        return RECT{from.x, from.y, to.x, from.y + drawn.height};
    }
    return RECT{to.x + drawn.width, from.y, from.x + drawn.width, from.y + drawn.height};
}

RECT StripB(POINT from, POINT to, Size drawn) {
    if (from.y < to.y) {
        return RECT{from.x, from.y, from.x + drawn.width, to.y};
    }
    return RECT{from.x, to.y + drawn.height, from.x + drawn.width, from.y + drawn.height};
}

void PlayCry(const Bear& bear) {
    // Setup locks the data only out of a loaded resource.
    if (bear.soundData) {
        sndPlaySoundA(static_cast<const char*>(bear.soundData), CryFlags);
    }
}

void StepBear(HWND window, Bear& bear, int index) {
    StepPlan plan = PlanStep(bear, index, Scene.ClientRect, Scene.DrawSize);
    for (int cry = 0; cry < plan.cries; ++cry) {
        PlayCry(bear);
    }
    DrawStep(window, bear, plan);
}

void FrameTick(HWND window) {
    for (int i = 0; i < BearCount; ++i) {
        StepBear(window, Bears[i], i);
    }
}

} // namespace polkamoot
