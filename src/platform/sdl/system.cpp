// The operations of platform.h that neither the model nor the display answers on Linux. There is
// no password library, input method, registry, screen-saver notice or configuration dialog here:
// each answers as the platform does when it lacks them, so the saver runs without them. The one
// text the saver shows, a failed color swap, goes to standard error.
#include "platform/model/model.h"

#include <SDL.h>

#include <cstdio>

namespace polkamoot {

namespace {

constexpr LONG ErrorFileNotFound = 2;
constexpr LONG ExceptionContinueSearch = 0;

LPTOP_LEVEL_EXCEPTION_FILTER faultFilter;

} // namespace

bool backend::ShouldFail(const char*) {
    return false;
}

const char* GetCommandLineA() {
    return "polkamoot";
}

UINT GetACP() {
    return 1252;
}

BOOL GetCPInfo(UINT, CPINFO* info) {
    *info = CPINFO{};
    info->MaxCharSize = 1;
    return 1;
}

HMODULE GetModuleHandleA(const char* name) {
    return name ? nullptr : model::Instance();
}

HMODULE LoadLibraryA(const char*) {
    return nullptr;
}

FARPROC GetProcAddress(HMODULE, const char*) {
    return nullptr;
}

BOOL FreeLibrary(HMODULE) {
    return 0;
}

DWORD GetTickCount() {
    return SDL_GetTicks();
}

void Sleep(DWORD milliseconds) {
    if (milliseconds > 0) {
        SDL_Delay(milliseconds);
    }
}

std::time_t time(std::time_t* result) {
    return std::time(result);
}

LPTOP_LEVEL_EXCEPTION_FILTER SetUnhandledExceptionFilter(LPTOP_LEVEL_EXCEPTION_FILTER filter) {
    LPTOP_LEVEL_EXCEPTION_FILTER previous = faultFilter;
    faultFilter = filter;
    return previous;
}

LONG UnhandledExceptionFilter(EXCEPTION_POINTERS*) {
    return ExceptionContinueSearch;
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return model::DefaultWindowProc(window, message, wParam, lParam);
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

LONG RegOpenKeyA(HKEY, const char*, HKEY*) {
    return ErrorFileNotFound;
}

LONG RegQueryValueExA(HKEY, const char*, DWORD*, DWORD*, BYTE*, DWORD*) {
    return ErrorFileNotFound;
}

LONG RegCloseKey(HKEY) {
    return ErrorFileNotFound;
}

BOOL SystemParametersInfoA(UINT, UINT, void*, UINT) {
    return 0;
}

} // namespace polkamoot
