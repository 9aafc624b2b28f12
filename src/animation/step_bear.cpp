#include "animation/step_bear.h"

#include "animation/placement.h"

#include <initializer_list>

namespace polkamoot {

namespace {

bool HasArea(const RECT& rect) {
    return rect.right > rect.left && rect.bottom > rect.top;
}

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
    auto black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    for (const RECT* strip : {&plan.stripA, &plan.stripB}) {
        if (HasArea(*strip)) {
            FillRect(dc, strip, black);
        }
    }
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
    RECT strip{0, from.y, 0, from.y + drawn.height};
    if (from.x < to.x) {
        strip.left = from.x;
        strip.right = to.x;
    } else {
        strip.left = to.x + drawn.width;
        strip.right = from.x + drawn.width;
    }
    return strip;
}

RECT StripB(POINT from, POINT to, Size drawn) {
    RECT strip{from.x, 0, from.x + drawn.width, 0};
    if (from.y < to.y) {
        strip.top = from.y;
        strip.bottom = to.y;
    } else {
        strip.top = to.y + drawn.height;
        strip.bottom = from.y + drawn.height;
    }
    return strip;
}

void PlayCry(const Bear& bear) {
    if (bear.soundData && bear.soundResource) {
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
