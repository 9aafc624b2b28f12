// The dialogs of platform.h in the Linux program, which has none: xscreensaver's settings program
// takes the configuration dialog's place, so each operation answers as the platform does without
// the dialog. The one text the saver shows, a failed color swap, goes to standard error.
#include "platform/model/model.h"

#include <cstdio>

namespace polkamoot {

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

BOOL EnableWindow(HWND, BOOL) {
    return 0;
}

HWND GetFocus() {
    return nullptr;
}

HWND SetFocus(HWND) {
    return nullptr;
}

int MessageBoxA(HWND, const char* text, const char*, UINT) {
    std::fprintf(stderr, "polkamoot: %s\n", text ? text : "");
    return IDOK;
}

} // namespace polkamoot
