// The animation's link in the saver window's message chain, and the troupe's life: built when
// the window is created, recolored in Random mode, released when the window goes.
#pragma once

#include "animation/troupe.h"
#include "platform/platform.h"

namespace polkamoot {

LRESULT AnimationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Builds the troupe for the window and starts the timers. On a sprite that will not load or
// recolor it destroys the window, leaving nothing behind, and returns false.
bool SetUpScene(HWND window);

// Stops the timers and the sound and releases everything the troupe holds.
void TearDownScene(HWND window);

// Deletes the bitmaps a bear owns and frees its sound. The handles stay in the record: nothing
// reads them again, and the next setup forgets them.
void ReleaseBear(Bear& bear);

namespace Timer {
// Gives every bear a new coloring. On failure the window is destroyed, a box names the step,
// and it returns false.
bool SwapColors(HWND window);
} // namespace Timer

// A hand-edited Minutes of 0 would swap colors as fast as the platform fires timers: a strobe.
inline constexpr WORD ShortestSwapMinutes = 1;

} // namespace polkamoot
