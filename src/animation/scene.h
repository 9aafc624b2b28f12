// What the animation keeps besides the troupe: speed, timers and sizes, fixed at setup.
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
};

struct SceneRecord {
    int BearSpeed = StartingSpeed; // pixels per tick on each axis
    WORD FramePeriod = StartingFramePeriod;
    WORD FrameTimerStarted = 0; // low 16 bits of what SetTimer gave; 0: not running
    WORD SwapTimerStarted = 0;
    int TimerBusy = 0;
    RECT ClientRect{}; // as at setup, never refreshed
    BITMAP SpriteSize{};
    Size DrawSize{};
};

extern SceneRecord Scene;

// Back to the state before any scene; every setup starts from here.
void ResetScene();

} // namespace polkamoot
