// The animation's link in the saver window's message chain.
#pragma once

#include "platform/platform.h"

namespace polkamoot {

LRESULT AnimationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace polkamoot
