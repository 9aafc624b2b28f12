// The end of a scene, when the saver window goes: the timers stopped, the cries silenced, and
// every bitmap and sound of the troupe released.
#include "animation/animation.h"
#include "animation/scene.h"
#include "settings/settings_store.h"

namespace polkamoot {

void ReleaseBear(Bear& bear) {
    for (int k = 0; k < OwnFrames; ++k) {
        if (bear.leftFrames[k]) {
            DeleteObject(bear.leftFrames[k]);
        }
        if (bear.rightFrames[k]) {
            DeleteObject(bear.rightFrames[k]);
        }
    }
    if (bear.soundResource) {
        FreeResource(bear.soundResource);
    }
}

// After a failed setup no timer runs and only the frames made so far are held.
void TearDownScene(HWND window) {
    if (Scene.FrameTimerStarted) {
        KillTimer(window, FrameTimer);
    }
    if (Scene.SwapTimerStarted) {
        KillTimer(window, SwapTimer);
    }
    // Before the sound resources go: a cry may still be reading one.
    if (Settings.Sound) {
        sndPlaySoundA(nullptr, 0);
    }
    for (int i = 0; i < BearCount; ++i) {
        ReleaseBear(Bears[i]);
    }
    if (Scene.Shrunk) {
        DeleteObject(Scene.Shrunk);
        Scene.Shrunk = nullptr;
    }
}

} // namespace polkamoot
