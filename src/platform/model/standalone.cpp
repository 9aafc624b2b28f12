// The operations of platform.h that a program over the model answers alone, with no Windows
// beneath it: no password library, input method, registry, screen-saver notice or fault report.
// Each answers as the platform does when it lacks them, so the saver runs without them. The
// Linux program and the web page link this; the tests' fake answers the same operations as each
// test sets them up.
#include "platform/model/model.h"

namespace polkamoot {

namespace {

constexpr LONG ErrorFileNotFound = 2;

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

std::time_t time(std::time_t* result) {
    return std::time(result);
}

LPTOP_LEVEL_EXCEPTION_FILTER SetUnhandledExceptionFilter(LPTOP_LEVEL_EXCEPTION_FILTER filter) {
    LPTOP_LEVEL_EXCEPTION_FILTER previous = faultFilter;
    faultFilter = filter;
    return previous;
}

LONG UnhandledExceptionFilter(EXCEPTION_POINTERS*) {
    return EXCEPTION_CONTINUE_SEARCH;
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return model::DefaultWindowProc(window, message, wParam, lParam);
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
