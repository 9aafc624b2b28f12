// Random mode's change of coloring: the frames as they are, recolored from the old map to a
// new one, so no resource is read again.
#include "animation/animation.h"
#include "animation/random.h"
#include "sprites/color_maps.h"
#include "sprites/recolor.h"

namespace polkamoot {

namespace {

constexpr char SwapFailure[] = "Timer::SwapColors()";

bool RecolorFrames(FrameSet& frames, int from, int to) {
    for (int k = 0; k < OwnFrames; ++k) {
        HBITMAP recolored =
            RecolorBitmap(frames[k], ColorMaps[from], ColorMaps[to], sizeof(ColorMap));
        if (!recolored) {
            return false;
        }
        DeleteObject(frames[k]);
        frames[k] = recolored;
    }
    RepeatFrames(frames);
    return true;
}

// The destruction has already asked the loop to quit, and a message box meeting that request
// closes before anyone reads it; the request waits until the box is gone.
void ShowFailure() {
    MSG quit{};
    bool quitting = PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    MessageBoxA(GetFocus(), SwapFailure, nullptr, MB_ICONHAND);
    if (quitting) {
        PostQuitMessage(static_cast<int>(quit.wParam));
    }
}

} // namespace

bool Timer::SwapColors(HWND window) {
    for (int i = 0; i < BearCount; ++i) {
        Bear& bear = Bears[i];
        int old = bear.colorIndex;
        do {
            bear.colorIndex = DrawRandom() % ColorMapCount;
        } while (bear.colorIndex == old);
        if (!RecolorFrames(bear.rightFrames, old, bear.colorIndex) ||
            !RecolorFrames(bear.leftFrames, old, bear.colorIndex)) {
            DestroyWindow(window);
            ShowFailure();
            return false;
        }
    }
    return true;
}

} // namespace polkamoot
