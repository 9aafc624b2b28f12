// The operations of platform.h that the Linux program answers itself about time and the cursor,
// beside the model, the display and what any program over the model answers
// (model/standalone.cpp).
#include "platform/model/model.h"

#include <SDL.h>

namespace polkamoot {

DWORD GetTickCount() {
    return SDL_GetTicks();
}

void Sleep(DWORD milliseconds) {
    if (milliseconds > 0) {
        SDL_Delay(milliseconds);
    }
}

BOOL GetCursorPos(POINT* point) {
    int x = 0;
    int y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    *point = POINT{x, y};
    return 1;
}

} // namespace polkamoot
