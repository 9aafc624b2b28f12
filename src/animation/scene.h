// What the animation keeps besides the troupe: speed, timers and sizes, fixed at setup.
//
// The troupe lives in a space Scale times smaller than the window, where positions, motion and
// sizes are those of a classic screen; each pixel of that space covers Scale x Scale pixels of
// the window, so a dense screen shows the same dance, only sharper.
#pragma once

#include "platform/platform.h"

namespace polkamoot {

inline constexpr UINT_PTR FrameTimer = 200;
inline constexpr UINT_PTR SwapTimer = 201;
inline constexpr int StartingSpeed = 10;
inline constexpr WORD StartingFramePeriod = 100;

struct Size {
    int width;
    int height;
    bool operator==(const Size&) const = default;
};

struct SceneRecord {
    int BearSpeed = StartingSpeed; // pixels per tick on each axis
    WORD FramePeriod = StartingFramePeriod;
    WORD FrameTimerStarted = 0; // low 16 bits of what SetTimer gave; 0: not running
    WORD SwapTimerStarted = 0;
    int TimerBusy = 0;
    // Both as at setup, never refreshed; at Scale 1 the two are the same.
    RECT ClientRect{};  // the window's client area, in its own (device) pixels
    RECT TroupeSpace{}; // where the bears move, bounce and are placed: ClientRect / Scale
    int Scale = 1;
    BITMAP SpriteSize{};
    Size DrawSize{};
    // Where a shrunk bear is drawn before it is enlarged: only while both shrink and scale.
    HBITMAP Shrunk = nullptr;
};

extern SceneRecord Scene;

// Back to the state before any scene; every setup starts from here.
void ResetScene();

} // namespace polkamoot
