// The configuration dialog's procedure and the hook the host calls before showing it.
#pragma once

#include "platform/platform.h"

namespace polkamoot {

BOOL PrepareDialogClasses(HINSTANCE instance);
INT_PTR ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace polkamoot
