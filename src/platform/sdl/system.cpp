// The operations of platform.h that the Linux program answers itself, beside the model, the
// display and what any program over the model answers (model/standalone.cpp): the clock, the
// cursor, and a configuration dialog it lacks, which answers as the platform does without one.
// The one text the saver shows, a failed color swap, goes to standard error.
#include "platform/model/model.h"

#include <SDL.h>

#include <cstdio>

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

HWND GetFocus() {
    return nullptr;
}

HWND SetFocus(HWND) {
    return nullptr;
}

BOOL EnableWindow(HWND, BOOL) {
    return 0;
}

INT_PTR DialogBoxParamA(HINSTANCE, const char*, HWND, DLGPROC, LPARAM) {
    return -1;
}

BOOL EndDialog(HWND, INT_PTR) {
    return 0;
}

HWND GetDlgItem(HWND, int) {
    return nullptr;
}

LRESULT SendDlgItemMessageA(HWND, int, UINT, WPARAM, LPARAM) {
    return 0;
}

BOOL SetDlgItemInt(HWND, int, UINT, BOOL) {
    return 0;
}

UINT GetDlgItemInt(HWND, int, BOOL* translated, BOOL) {
    if (translated) {
        *translated = 0;
    }
    return 0;
}

UINT IsDlgButtonChecked(HWND, int) {
    return 0;
}

int MessageBoxA(HWND, const char* text, const char*, UINT) {
    std::fprintf(stderr, "polkamoot: %s\n", text ? text : "");
    return IDOK;
}

} // namespace polkamoot
