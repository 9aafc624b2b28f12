// The troupe: the bear records on which the whole animation works, and where the settings
// hand the animation its roster.
#pragma once

#include "platform/platform.h"

namespace polkamoot {

inline constexpr int MaxBears = 5;
inline constexpr int FrameSlots = 8;
inline constexpr int OwnFrames = 5;

// Slots 0 to 4 hold the bear's own frames 1 to 5; slots 5, 6, 7 repeat the handles of
// slots 3, 2, 1, so the dance runs 1 2 3 4 5 4 3 2 and only slots 0 to 4 are ever deleted.
using FrameSet = HBITMAP[FrameSlots];

inline void RepeatFrames(FrameSet& frames) {
    frames[5] = frames[3];
    frames[6] = frames[2];
    frames[7] = frames[1];
}

struct Bear {
    FrameSet rightFrames;
    FrameSet leftFrames;
    HBITMAP* currentFrames; // rightFrames or leftFrames of this same record
    int x;
    int y;
    int dx;
    int dy;
    int frameIndex;
    int colorIndex;
    HGLOBAL soundResource;
    const void* soundData; // a view into soundResource, not released on its own
};

extern Bear Bears[MaxBears];
extern int BearCount;

} // namespace polkamoot
