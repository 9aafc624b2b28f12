// AnimationProc acts on four messages and hands every message on to HostDefaultProc, except
// where it answers itself.
#include "animation/animation.h"
#include "animation/scene.h"
#include "animation/step_bear.h"
#include "host/host.h"

namespace polkamoot {

namespace {

void EraseBackground(HDC dc) {
    FillRect(dc, &Scene.ClientRect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

// False when the color swap failed and took the window with it.
bool RunTimer(HWND window, WPARAM id) {
    switch (id) {
    case FrameTimer: FrameTick(window); return true;
    case SwapTimer: return Timer::SwapColors(window);
    default: return true;
    }
}

} // namespace

LRESULT AnimationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        if (!SetUpScene(window)) {
            return 0;
        }
        break;
    case WM_DESTROY: TearDownScene(window); break;
    case WM_ERASEBKGND: EraseBackground(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_TIMER:
        // A timer message that arrives while one is handled, from a loop run inside it, is
        // passed on untouched.
        if (!Scene.TimerBusy) {
            Scene.TimerBusy = 1;
            bool kept = RunTimer(window, wParam);
            Scene.TimerBusy = 0;
            if (!kept) {
                return 0;
            }
        }
        break;
    default: break;
    }
    return HostDefaultProc(window, message, wParam, lParam);
}

} // namespace polkamoot
