#include "animation/animation.h"
#include "animation/troupe.h"
#include "host/host.h"

namespace polkamoot {

Bear Bears[MaxBears];
int BearCount;

LRESULT AnimationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return HostDefaultProc(window, message, wParam, lParam);
}

} // namespace polkamoot
