#include "animation/step_bear.h"

#include "animation/placement.h"

namespace polkamoot {

namespace {

RECT OnWindow(const RECT& rect) {
    const int k = Scene.Scale;
    return RECT{rect.left * k, rect.top * k, rect.right * k, rect.bottom * k};
}

// A shrunk bear is shrunk at its size in the troupe's space first and then enlarged, so that
// the scaled picture is the unscaled one with every pixel a block.
void CopyFrame(HDC dc, const RECT& to, HDC frame) {
    HDC source = frame;
    int width = Scene.SpriteSize.bmWidth;
    int height = Scene.SpriteSize.bmHeight;
    HDC shrunk = Scene.Shrunk ? CreateCompatibleDC(dc) : nullptr;
    HGDIOBJ previous = shrunk ? SelectObject(shrunk, Scene.Shrunk) : nullptr;
    if (previous) {
        SetStretchBltMode(shrunk, COLORONCOLOR);
        StretchBlt(shrunk, 0, 0, Scene.DrawSize.width, Scene.DrawSize.height, frame, 0, 0, width,
                   height, SRCCOPY);
        source = shrunk;
        width = Scene.DrawSize.width;
        height = Scene.DrawSize.height;
    }
    StretchBlt(dc, to.left, to.top, to.right - to.left, to.bottom - to.top, source, 0, 0, width,
               height, SRCCOPY);
    if (previous) {
        SelectObject(shrunk, previous);
    }
    if (shrunk) {
        DeleteDC(shrunk);
    }
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
    CopyFrame(dc,
              OnWindow(RECT{bear.x, bear.y, bear.x + Scene.DrawSize.width,
                            bear.y + Scene.DrawSize.height}),
              source);
    SelectObject(source, previous);
    // A strip of an axis the bear did not move along is empty, and fills nothing.
    auto black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    const RECT columnsLeft = OnWindow(plan.columnsLeft);
    const RECT rowsLeft = OnWindow(plan.rowsLeft);
    FillRect(dc, &columnsLeft, black);
    FillRect(dc, &rowsLeft, black);
    DeleteDC(source);
    ReleaseDC(window, dc);
}

} // namespace

StepPlan PlanStep(Bear& bear, int index, const RECT& space, Size drawn) {
    StepPlan plan{};
    bear.frameIndex = (bear.frameIndex + 1) % FrameSlots;

    const POINT from{bear.x, bear.y};
    bear.x += bear.dx;
    bear.y += bear.dy;
    POINT rest{bear.x, bear.y};
    bool verticalBounce = false;
    bool horizontalBounce = false;

    if (bear.y + drawn.height > space.bottom || bear.y < space.top) {
        rest = from;
        bear.dy = -bear.dy;
        verticalBounce = true;
        ++plan.cries;
    }
    if (bear.x + drawn.width > space.right || bear.x < space.left) {
        bear.dx = -bear.dx;
        rest = from;
        horizontalBounce = true;
        ++plan.cries;
    }

    // Tested at the moved position even after an edge bounce; an edge bounce on one axis holds
    // back the collision's reversal on the other.
    int overlapped = BearsOverlap(bear, index, BearCount - 1, drawn.width, drawn.height);
    if (overlapped != NoOverlap) {
        const Bear& other = Bears[overlapped - 1]; // BearsOverlap gives its position + 1
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
    plan.columnsLeft = ColumnsLeftBehind(from, rest, drawn);
    plan.rowsLeft = RowsLeftBehind(from, rest, drawn);
    return plan;
}

RECT ColumnsLeftBehind(POINT from, POINT to, Size drawn) {
    if (from.x < to.x) {
        return RECT{from.x, from.y, to.x, from.y + drawn.height};
    }
    return RECT{to.x + drawn.width, from.y, from.x + drawn.width, from.y + drawn.height};
}

RECT RowsLeftBehind(POINT from, POINT to, Size drawn) {
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
    StepPlan plan = PlanStep(bear, index, Scene.TroupeSpace, Scene.DrawSize);
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
